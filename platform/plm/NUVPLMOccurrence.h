// NUVPLMOccurrence: an occurrence of the product tree, the platform's own.
// It answers NUVIPLMNavOccurrence (its class derives from it), NUVIBuildPath,
// and NUVI3DGeoVisu while it has a representation.
//
//   NUVPLMOccurrence* root = new NUVPLMOccurrence("Product");
//   NUVPLMOccurrence* part = new NUVPLMOccurrence("Part.1");
//   root->AddChild(part); part->Release();          // the root holds it now
//   part->SetRep(box); box->Release();              // the part holds its rep
//
// A parent holds a reference on each child; a child knows its parent without
// one (the parent outlives what it holds, or clears the link when it goes).
// The representation's model identificator names the occurrence while the
// occurrence holds it. Destroying a tree of any depth uses no deep recursion.
// Threading: user-interface thread only.
#ifndef NUVPLMOccurrence_h
#define NUVPLMOccurrence_h

#include <vector>

#include "NUVIPLMNavOccurrence.h"

class NUV3DRep;
class NUVPathElement;

class VPL_EXPORT NUVPLMOccurrence : public NUVIPLMNavOccurrence {
  NUV_DECLARE_CLASS
 public:
  explicit NUVPLMOccurrence(const NUVUnicodeString& name);
  ~NUVPLMOccurrence() override;
  NUVPLMOccurrence(const NUVPLMOccurrence&) = delete;
  NUVPLMOccurrence& operator=(const NUVPLMOccurrence&) = delete;

  long QueryInterface(const NUVIID& iid, void** out) override;

  int GetChildCount() override { return static_cast<int>(_Children.size()); }
  NUVIPLMNavOccurrence* GetChild(int index) override;
  NUVIPLMNavOccurrence* GetParent() override { return _pParent; }
  NUVUnicodeString GetName() override { return _Name; }

  // Appends `child` and holds a reference on it; null, the occurrence
  // itself, one of its fathers or a child that has a parent already are
  // ignored (a tree stays a tree). Costs constant time, except for a child
  // with children of its own: then the depth of this occurrence.
  void AddChild(NUVPLMOccurrence* child);
  // Holds a reference on `rep` (null drops the representation) and makes its
  // model identificator name this occurrence; the one it replaces stops
  // naming it.
  void SetRep(NUV3DRep* rep);
  NUV3DRep* GetRep() const { return _pRep; }

  // NUVIBuildPath: iStart's objects, then the occurrences from the top of
  // the tree down to this one.
  long BuildPath(NUVPathElement* iStart, NUVPathElement** oPath);

 private:
  NUVUnicodeString _Name;
  NUVPLMOccurrence* _pParent;
  std::vector<NUVPLMOccurrence*> _Children;  // one reference each
  NUV3DRep* _pRep;                           // one reference, or null
};

#endif
