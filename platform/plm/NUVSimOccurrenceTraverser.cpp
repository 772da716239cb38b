#include "NUVSimOccurrenceTraverser.h"

#include <utility>

#include "NUVIPLMNavOccurrence.h"

NUV_IMPLEMENT_CLASS(NUVSimOccurrenceTraverser, NUVISimTraverser, "VelloranPlatform")

namespace {

struct WalkVisitor {
  NUVISimTraversalVisitor_var visitor;
  // Depth of the node whose descendants it asked to skip; -1 while it
  // follows the walk.
  int skipFrom;
};

// A handle that borrows the reference the tree holds on a node (the tree
// must not change during a walk): taken with Attach, given back with Detach
// also when a visitor throws (a null handle's error), so that the walk costs
// no reference counting of its own.
struct Borrowed {
  NUVBaseUnknown_var object;
  explicit Borrowed(NUVBaseUnknown* o) { object.Attach(o); }
  Borrowed(Borrowed&& other) noexcept : object(std::move(other.object)) {}
  Borrowed(const Borrowed&) = delete;
  Borrowed& operator=(const Borrowed&) = delete;
  ~Borrowed() { object.Detach(); }
};

// A node whose descendants are being walked.
struct Frame {
  Borrowed node;
  NUVIPLMNavOccurrence* occurrence;
  int childCount;
  int nextChild;
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
  auto pre = [&](const NUVBaseUnknown_var& object, int depth) {
    for (WalkVisitor& v : visitors) {
      if (v.skipFrom != -1) continue;
      NUVISimTraversalVisitor::TraversalStatus asked = NUVISimTraversalVisitor::ContinueTraversal;
      v.visitor->PreOrder(object, asked);
      if (asked == NUVISimTraversalVisitor::SkipDescendants) {
        v.skipFrom = depth;
        --following;
      }
    }
  };
  auto post = [&](const NUVBaseUnknown_var& object, int depth, int childCount) {
    unsigned char leaf = childCount == 0 ? 1 : 0;
    for (WalkVisitor& v : visitors) {
      if (v.skipFrom == depth) {
        v.skipFrom = -1;
        ++following;
      } else if (v.skipFrom != -1) {
        continue;
      }
      NUVISimTraversalVisitor::TraversalStatus ignored = NUVISimTraversalVisitor::ContinueTraversal;
      v.visitor->PostOrder(object, ignored, leaf);
    }
  };
  // A node without a walk below it (most are leaves) is done at once; the
  // others wait on the stack for their children.
  auto visit = [&](NUVBaseUnknown* object, NUVIPLMNavOccurrence* occurrence) {
    int depth = static_cast<int>(stack.size());
    Borrowed node(object);
    pre(node.object, depth);
    int count = occurrence ? occurrence->GetChildCount() : 0;
    if (count > 0 && following > 0) {
      stack.push_back({std::move(node), occurrence, count, 0});
      return;
    }
    if (count > 0) status = 1;
    post(node.object, depth, count < 0 ? 0 : count);
  };

  NUVIPLMNavOccurrence_var root(iRoot.get());
  visit(iRoot.get(), root.get());
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.nextChild < top.childCount) {
      if (NUVIPLMNavOccurrence* child = top.occurrence->GetChild(top.nextChild++))
        visit(child, child);  // may move `top`
      continue;
    }
    post(top.node.object, static_cast<int>(stack.size()) - 1, top.childCount);
    stack.pop_back();
  }
  oStatus = status;
  return S_OK;
}
