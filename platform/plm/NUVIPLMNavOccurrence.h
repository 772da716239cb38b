// NUVIPLMNavOccurrence: an occurrence of the product tree, seen for
// navigation: its children, its parent and its name.
//
//   NUVIPLMNavOccurrence_var occurrence(object);     // null when not one
//   for (int i = 0; i < occurrence->GetChildCount(); ++i) Visit(occurrence->GetChild(i));
//
// Children are numbered from 0 to GetChildCount() - 1, in the order they were
// added. Pointers returned are borrowed: they stay valid while the tree holds
// the occurrence.
// Threading: user-interface thread only.
#ifndef NUVIPLMNavOccurrence_h
#define NUVIPLMNavOccurrence_h

#include "NUVUnicodeString.h"
#include "NUVVar.h"

class VPL_EXPORT NUVIPLMNavOccurrence : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  virtual int GetChildCount() = 0;
  // Null outside 0..GetChildCount() - 1.
  virtual NUVIPLMNavOccurrence* GetChild(int index) = 0;
  // Null for the top of the tree.
  virtual NUVIPLMNavOccurrence* GetParent() = 0;
  virtual NUVUnicodeString GetName() = 0;
};

#define IID_NUVIPLMNavOccurrence (NUVIPLMNavOccurrence::ClassId())
typedef NUVVar<NUVIPLMNavOccurrence> NUVIPLMNavOccurrence_var;

#endif
