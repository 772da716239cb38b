// NUVSimOccurrenceTraverser: the platform's walk of a product tree, created
// by the name "NUVSimOccurrenceTraverser" for IID_NUVISimTraverser (see
// NUVISimTraverser for the contract).
//
// The walk is iterative: its stack is a vector of frames, so a chain of
// occurrences of any depth costs no call stack. Each frame holds a reference
// on its node for the time of the walk.
//
// Internal to the platform (created by name only). Threading: user-interface
// thread only.
#ifndef NUVSimOccurrenceTraverser_h
#define NUVSimOccurrenceTraverser_h

#include <vector>

#include "NUVISimTraversalVisitor.h"
#include "NUVISimTraverser.h"

class NUVSimOccurrenceTraverser : public NUVISimTraverser {
  NUV_DECLARE_CLASS
 public:
  NUVSimOccurrenceTraverser() = default;
  NUVSimOccurrenceTraverser(const NUVSimOccurrenceTraverser&) = delete;
  NUVSimOccurrenceTraverser& operator=(const NUVSimOccurrenceTraverser&) = delete;

  long SetVisitors(const NUVListValNUVBaseUnknown_var& iVisitors) override;
  long Traverse(const NUVBaseUnknown_var& iRoot, int& oStatus) override;

 private:
  std::vector<NUVISimTraversalVisitor_var> _Visitors;
};

#endif
