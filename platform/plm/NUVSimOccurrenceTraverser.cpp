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

struct Frame {
  NUVBaseUnknown_var object;
  NUVIPLMNavOccurrence* occurrence;  // borrowed from `object`; null when not an occurrence
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
  auto enter = [&](const NUVBaseUnknown_var& object, NUVIPLMNavOccurrence* occurrence) {
    int depth = static_cast<int>(stack.size());
    for (WalkVisitor& v : visitors) {
      if (v.skipFrom != -1) continue;
      NUVISimTraversalVisitor::TraversalStatus asked = NUVISimTraversalVisitor::ContinueTraversal;
      v.visitor->PreOrder(object, asked);
      if (asked == NUVISimTraversalVisitor::SkipDescendants) {
        v.skipFrom = depth;
        --following;
      }
    }
    int count = occurrence ? occurrence->GetChildCount() : 0;
    if (count < 0) count = 0;
    bool descend = following > 0;
    if (!descend && count > 0) status = 1;
    stack.push_back({object, occurrence, count, descend ? 0 : count});
  };
  auto leave = [&](const Frame& frame, int depth) {
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
  enter(iRoot, root.get());
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.nextChild < top.childCount) {
      NUVIPLMNavOccurrence* child = top.occurrence->GetChild(top.nextChild++);
      if (child) enter(NUVBaseUnknown_var(child), child);  // may move `top`
      continue;
    }
    Frame done = std::move(top);
    stack.pop_back();
    leave(done, static_cast<int>(stack.size()));
  }
  oStatus = status;
  return S_OK;
}
