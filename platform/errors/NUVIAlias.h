// NUVIAlias: the name under which the user knows an object (a product's
// instance name, a resource's label).
//
//   NUVIAlias_var alias(modelObject);
//   if (!!alias) text = alias->GetAlias();
//
// Threading: user-interface thread only.
#ifndef NUVIAlias_h
#define NUVIAlias_h

#include "NUVUnicodeString.h"
#include "NUVVar.h"

class VPL_EXPORT NUVIAlias : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  virtual NUVUnicodeString GetAlias() = 0;
};

#define IID_NUVIAlias (NUVIAlias::ClassId())
typedef NUVVar<NUVIAlias> NUVIAlias_var;

#endif
