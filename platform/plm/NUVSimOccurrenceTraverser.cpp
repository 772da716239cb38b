#include "NUVSimOccurrenceTraverser.h"

#include "NUVIPLMNavOccurrence.h"

NUV_IMPLEMENT_CLASS(NUVSimOccurrenceTraverser, NUVISimTraverser, "VelloranPlatform")

namespace {

struct WalkVisitor {
  NUVISimTraversalVisitor_var visitor;
  // Depth of the node whose descendants it asked to skip; -1 while it
  // follows the walk.
  int skipFrom;
};

// `object` borrows the reference its parent holds on the node (the tree
// must not change during a walk): taken with Attach, given back with Detach,
// so that the walk costs no reference counting of its own.
struct Frame {
  NUVBaseUnknown_var object;
  NUVIPLMNavOccurrence* occurrence;  // null when not an occurrence
  int childCount;
  int nextChild;
};

// Gives back the borrowed handles of the frames left, also when a visitor
// throws (a null handle's error).
struct BorrowedFrames {
  std::vector<Frame>& frames;
  ~BorrowedFrames() {
    for (Frame& f : frames) f.object.Detach();
  }
};

}  // namespace

long NUVSimOccurrenceTraverser::SetVisitors(const NUVListValNUVBaseUnknown_var& iVisitors) {
  _Visitors.clear();
  for (int i = 1; i <= iVisitors.Size(); ++i) {
    NUVISimTraversalVisitor_var visitor(iVisitors[i].get());
    if (visitor) _Visitors.push_back(visitor);
  }
  return S_OK;
}

long NUVSimOccurrenceTraverser::Traverse(const NUVBaseUnknown_var& iRoot, int& oStatus) {
  if (!iRoot) return E_INVALIDARG;
  // A visitor may replace the visitors while it is called: the walk keeps
  // its own list.
  std::vector<WalkVisitor> visitors;
  visitors.reserve(_Visitors.size());
  for (const NUVISimTraversalVisitor_var& v : _Visitors) visitors.push_back({v, -1});
  for (WalkVisitor& v : visitors) v.visitor->Init();
  int following = static_cast<int>(visitors.size());
  int status = 0;

  std::vector<Frame> stack;
  BorrowedFrames borrowed{stack};
  auto enter = [&](NUVBaseUnknown* object, NUVIPLMNavOccurrence* occurrence) {
    int depth = static_cast<int>(stack.size());
    stack.push_back({NUVBaseUnknown_var(), occurrence, 0, 0});
    Frame& frame = stack.back();
    frame.object.Attach(object);
    for (WalkVisitor& v : visitors) {
      if (v.skipFrom != -1) continue;
      NUVISimTraversalVisitor::TraversalStatus asked = NUVISimTraversalVisitor::ContinueTraversal;
      v.visitor->PreOrder(frame.object, asked);
      if (asked == NUVISimTraversalVisitor::SkipDescendants) {
        v.skipFrom = depth;
        --following;
      }
    }
    int count = occurrence ? occurrence->GetChildCount() : 0;
    if (count < 0) count = 0;
    frame.childCount = count;
    if (following == 0) {
      if (count > 0) status = 1;
      frame.nextChild = count;
    }
  };
  auto leave = [&](Frame& frame, int depth) {
    unsigned char leaf = frame.childCount == 0 ? 1 : 0;
    for (WalkVisitor& v : visitors) {
      if (v.skipFrom == depth) {
        v.skipFrom = -1;
        ++following;
      } else if (v.skipFrom != -1) {
        continue;
      }
      NUVISimTraversalVisitor::TraversalStatus ignored = NUVISimTraversalVisitor::ContinueTraversal;
      v.visitor->PostOrder(frame.object, ignored, leaf);
    }
  };

  NUVIPLMNavOccurrence_var root(iRoot.get());
  enter(iRoot.get(), root.get());
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.nextChild < top.childCount) {
      NUVIPLMNavOccurrence* child = top.occurrence->GetChild(top.nextChild++);
      if (child) enter(child, child);  // may move `top`
      continue;
    }
    leave(top, static_cast<int>(stack.size()) - 1);
    stack.back().object.Detach();
    stack.pop_back();
  }
  oStatus = status;
  return S_OK;
}
