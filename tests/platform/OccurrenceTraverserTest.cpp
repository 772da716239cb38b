// The occurrence traverser component: visitor call order, leaf flags,
// skipped subtrees per visitor, and path building from the top of the tree.
#include <gtest/gtest.h>

#include <string>

#include "NUVDictionary.h"
#include "NUVIBuildPath.h"
#include "NUVISimTraversalVisitor.h"
#include "NUVISimTraverser.h"
#include "NUVPLMOccurrence.h"
#include "NUVPathElement.h"

namespace {

// Records its calls as "+name" (pre-order) and "-name" or "-name." (post-order,
// the dot for the leaf flag); asks to skip below `skip`.
class RecordingVisitor : public NUVISimTraversalVisitor {
 public:
  explicit RecordingVisitor(std::string skip = "") : _Skip(std::move(skip)) {}
  long PreOrder(const NUVBaseUnknown_var& o, TraversalStatus& status) override {
    std::string name = Name(o);
    log += " +" + name;
    status = name == _Skip ? SkipDescendants : ContinueTraversal;
    return S_OK;
  }
  long PostOrder(const NUVBaseUnknown_var& o, TraversalStatus&, unsigned char leaf) override {
    log += " -" + Name(o) + (leaf ? "." : "");
    return S_OK;
  }
  long Init() override {
    log = "init";
    return S_OK;
  }
  std::string log;

 private:
  static std::string Name(const NUVBaseUnknown_var& o) {
    NUVIPLMNavOccurrence_var occurrence(o.get());
    return occurrence ? occurrence->GetName().Std() : "?";
  }
  std::string _Skip;
};

NUVPLMOccurrence* Add(NUVPLMOccurrence* parent, const char* name) {
  auto* o = new NUVPLMOccurrence(name);
  parent->AddChild(o);
  o->Release();
  return o;
}

TEST(OccurrenceTraverser, CallsEachFollowingVisitorBeforeAndAfterDescendants) {
  auto* root = new NUVPLMOccurrence("R");
  NUVPLMOccurrence* a = Add(root, "A");
  Add(a, "a1");
  Add(Add(a, "a2"), "x");
  Add(root, "B");
  root->AddChild(a);     // has a parent already: ignored
  a->AddChild(root);     // would make a cycle: ignored
  ASSERT_EQ(root->GetChildCount(), 2);

  NUVISimTraverser* raw = nullptr;
  ASSERT_EQ(NUVInstantiateComponent("NUVSimOccurrenceTraverser", IID_NUVISimTraverser,
                                    reinterpret_cast<void**>(&raw)), S_OK);
  NUVISimTraverser_var traverser;
  traverser.Attach(raw);
  auto* all = new RecordingVisitor;
  auto* skipper = new RecordingVisitor("A");
  NUVListValNUVBaseUnknown_var visitors;
  visitors.Append(NUVBaseUnknown_var(all));
  visitors.Append(NUVBaseUnknown_var(skipper));
  visitors.Append(NUVBaseUnknown_var(root));  // not a visitor: left out
  traverser->SetVisitors(visitors);

  int status = -1;
  ASSERT_EQ(traverser->Traverse(NUVBaseUnknown_var(root), status), S_OK);
  EXPECT_EQ(all->log, "init +R +A +a1 -a1. +a2 +x -x. -a2 -A +B -B. -R");
  EXPECT_EQ(skipper->log, "init +R +A -A +B -B. -R") << "its PostOrder on A still comes";
  EXPECT_EQ(status, 0) << "another visitor followed the walk below A";

  visitors.RemovePosition(1);
  traverser->SetVisitors(visitors);
  ASSERT_EQ(traverser->Traverse(NUVBaseUnknown_var(a), status), S_OK);
  EXPECT_EQ(skipper->log, "init +A -A");
  EXPECT_EQ(status, 1) << "nobody walked below A";
  EXPECT_EQ(traverser->Traverse(NUVBaseUnknown_var(), status), E_INVALIDARG);

  traverser = nullptr;
  all->Release();
  skipper->Release();
  root->Release();
}

TEST(OccurrenceTraverser, OccurrencesBuildTheirPathFromTheTopAfterTheStart) {
  auto* root = new NUVPLMOccurrence("R");
  NUVPLMOccurrence* leaf = Add(Add(root, "A"), "a1");
  NUVIBuildPath_var builder(leaf);
  ASSERT_TRUE(builder);
  auto* start = new NUVPathElement(root);
  NUVPathElement* path = nullptr;
  EXPECT_EQ(builder->BuildPath(start, nullptr), E_INVALIDARG);
  ASSERT_EQ(builder->BuildPath(start, &path), S_OK);
  ASSERT_EQ(path->GetSize(), 4);
  EXPECT_EQ(path->GetElement(1), root);
  EXPECT_EQ(path->GetElement(2), root);
  EXPECT_EQ(path->GetElement(4), leaf);
  EXPECT_EQ(start->GetSize(), 1) << "the start is copied, not changed";
  path->AddChildElement(start, 2);  // two objects below it
  path->InitToLeafElement();
  std::string order;
  while (NUVBaseUnknown* o = path->NextFatherElement())
    order += o == start ? "S" : NUVIPLMNavOccurrence_var(o)->GetName().Std();
  EXPECT_EQ(order, "a1ASRR");
  path->Release();
  start->Release();
  builder = nullptr;
  EXPECT_EQ(root->GetRefCount(), 1u) << "paths released their objects";
  root->Release();
}

}  // namespace
