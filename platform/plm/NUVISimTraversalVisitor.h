// NUVISimTraversalVisitor: what a tree walk calls on every node it meets
// (see NUVISimTraverser): PreOrder before the node's descendants, PostOrder
// after them.
//
//   long PreOrder(const NUVBaseUnknown_var& node, TraversalStatus& status) override {
//     status = NUVISimTraversalVisitor::SkipDescendants;   // not interested below
//     return S_OK;
//   }
//
// Threading: user-interface thread only.
#ifndef NUVISimTraversalVisitor_h
#define NUVISimTraversalVisitor_h

#include "NUVBaseUnknown_var.h"

class VPL_EXPORT NUVISimTraversalVisitor : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Set by the visitor in PreOrder: ContinueTraversal (0) lets the walk go on
  // below the node; SkipDescendants (1) asks the walk not to call this
  // visitor on the node's descendants (its PostOrder on the node itself
  // still comes). The status a visitor sets in PostOrder is not read.
  enum TraversalStatus { ContinueTraversal = 0, SkipDescendants = 1 };

  virtual long PreOrder(const NUVBaseUnknown_var& iObject, TraversalStatus& oStatus) = 0;
  // iLeafFlag is non-zero when the node has no child in the tree.
  virtual long PostOrder(const NUVBaseUnknown_var& iObject, TraversalStatus& oStatus,
                         unsigned char iLeafFlag) = 0;
  // Called once at the start of each walk.
  virtual long Init() = 0;
};

#define IID_NUVISimTraversalVisitor (NUVISimTraversalVisitor::ClassId())
typedef NUVVar<NUVISimTraversalVisitor> NUVISimTraversalVisitor_var;

#endif
