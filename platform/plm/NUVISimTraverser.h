// NUVISimTraverser: walks a product tree of occurrences and calls visitors
// on each node. The platform's walk is the component created by the name
// "NUVSimOccurrenceTraverser":
//
//   NUVISimTraverser* raw = nullptr;
//   NUVInstantiateComponent("NUVSimOccurrenceTraverser", IID_NUVISimTraverser, (void**)&raw);
//   NUVISimTraverser_var traverser(raw); if (raw) raw->Release();
//   traverser->SetVisitors(visitors);          // objects answering NUVISimTraversalVisitor
//   int status = 0; traverser->Traverse(root, status);
//
// Threading: user-interface thread only. The tree must not change during a
// walk.
#ifndef NUVISimTraverser_h
#define NUVISimTraverser_h

#include "NUVListValNUVBaseUnknown_var.h"

class VPL_EXPORT NUVISimTraverser : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Replaces the visitors, called in list order at each node; holds a
  // reference on each. Objects that do not answer NUVISimTraversalVisitor
  // are left out. S_OK.
  virtual long SetVisitors(const NUVListValNUVBaseUnknown_var& iVisitors) = 0;
  // Calls Init on every visitor, then walks depth first from iRoot, which
  // is visited too: PreOrder on a node, then the walk of its children in
  // child order, then PostOrder with the leaf flag (non-zero for a node
  // without children). A root that is not an occurrence is visited as a
  // leaf. A node's descendants are walked only when some visitor did not
  // ask to skip them, and only the visitors that did not are called on them.
  // oStatus := 0 when every node was met, 1 when some subtree was left out
  // because every visitor asked to skip it.
  // S_OK; E_INVALIDARG (oStatus untouched) for a null root.
  // The walk keeps its own stack: a chain of any depth is fine.
  virtual long Traverse(const NUVBaseUnknown_var& iRoot, int& oStatus) = 0;
};

#define IID_NUVISimTraverser (NUVISimTraverser::ClassId())
typedef NUVVar<NUVISimTraverser> NUVISimTraverser_var;

#endif
