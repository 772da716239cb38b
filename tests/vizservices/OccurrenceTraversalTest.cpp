// The traversal services: terminals and non-terminals of an occurrence tree,
// the geometry test on bounding spheres and its one-step restore.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "NUV3DRep.h"
#include "NUVPLMOccurrence.h"
#include "NUVSimVizServices.h"

namespace {

// R ── A (sphere ok) ── a1 (radius 0), a2 (status bits 0)
//   ├─ B ── C (radius 0) ── c1 (radius 0)
//   ├─ D (NaN radius)
//   └─ E (no representation)
class OccurrenceTraversalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = Add(nullptr, "R");
    NUVPLMOccurrence* a = Add(root, "A", 1.f, 1);
    Add(a, "a1", 0.f, 1);
    Add(a, "a2", 2.f, 8);
    Add(Add(Add(root, "B"), "C", 0.f, 2), "c1", 0.f, 4);
    Add(root, "D", std::nanf(""), 1);
    Add(root, "E");
  }
  void TearDown() override { root->Release(); }

  NUVPLMOccurrence* Add(NUVPLMOccurrence* parent, const char* name, float radius = -1.f,
                        unsigned status = 0) {
    auto* o = new NUVPLMOccurrence(name);
    if (radius != -1.f) {
      auto* rep = new NUV3DRep;
      rep->SetBoundingElement(NUV3DBoundingSphere(0.f, 0.f, 0.f, radius, status));
      o->SetRep(rep);
      rep->Release();
    }
    if (parent) {
      parent->AddChild(o);
      o->Release();
    }
    return o;
  }
  static std::string Names(const NUVListValNUVBaseUnknown_var& list) {
    std::string names;
    for (int i = 1; i <= list.Size(); ++i) {
      NUVIPLMNavOccurrence_var o(list[i].get());
      names += (names.empty() ? "" : " ") + (o ? o->GetName().Std() : std::string("?"));
    }
    return names;
  }

  NUVPLMOccurrence* root = nullptr;
};

TEST_F(OccurrenceTraversalTest, ClassifiesWithRejectedLeavesAndTheOneStepRestore) {
  NUVBaseUnknown_var r(root);
  // A is tested as a terminal once both its leaves are rejected; C too, and
  // is rejected; restoring one step leaves C current, so B stays a
  // non-terminal. A NaN radius and a missing representation are accepted.
  std::map<std::pair<int, int>, std::pair<std::string, std::string>> expected = {
      {{1, 1}, {"B R", "A D E"}},
      {{1, 0}, {"", "A D E"}},
      {{0, 1}, {"A C B R", ""}},  // no geometry test: every inner node
      {{0, 0}, {"", ""}}};
  for (const auto& [options, lists] : expected) {
    NUVListValNUVBaseUnknown_var nonTerminals, terminals;
    ASSERT_EQ(NUVSimVizServices::GetAllVizOccurrenceDescendants(
                  r, nonTerminals, terminals, options.first, options.second),
              S_OK);
    EXPECT_EQ(Names(nonTerminals), lists.first) << options.first << options.second;
    EXPECT_EQ(Names(terminals), lists.second) << options.first << options.second;
  }

  NUVListValNUVBaseUnknown_var all, nonTerminals, terminals;
  ASSERT_EQ(NUVSimVizServices::GetOrderedVizOccDescendants(r, all, nonTerminals, terminals, 1, 1),
            S_OK);
  EXPECT_EQ(Names(all), "R A a1 a2 B C c1 D E") << "pre-order, rejected ones included";
  EXPECT_EQ(Names(nonTerminals), "B R");
  EXPECT_EQ(Names(terminals), "A D E");

  NUVListValNUVBaseUnknown_var io;
  io.Append(NUVBaseUnknown_var(root->GetChild(2)));
  ASSERT_EQ(NUVSimVizServices::GetAllVizOccurrenceDescendants(r, io, 1, 1), S_OK);
  EXPECT_EQ(Names(io), "D B R A D E") << "kept, then non-terminals, then terminals";
}

TEST_F(OccurrenceTraversalTest, RootThatIsNotAnOccurrenceFailsAndLeavesTheListsAlone) {
  NUVBaseUnknown_var stranger;
  stranger.Attach(new NUVBaseUnknown);
  NUVListValNUVBaseUnknown_var a, b, c;
  a.Append(NUVBaseUnknown_var(root));
  b = a;
  c = a;
  EXPECT_EQ(NUVSimVizServices::GetAllVizOccurrenceDescendants(stranger, a, b, 1, 1), E_FAIL);
  EXPECT_EQ(NUVSimVizServices::GetAllVizOccurrenceDescendants(stranger, a, 1, 1), E_FAIL);
  EXPECT_EQ(NUVSimVizServices::GetOrderedVizOccDescendants(stranger, a, b, c, 1, 1), E_FAIL);
  EXPECT_EQ(Names(a) + "|" + Names(b) + "|" + Names(c), "R|R|R");
  EXPECT_EQ(root->GetRefCount(), 4u) << "the lists' references only";
}

TEST(OccurrenceTraversalScale, DeepChainAndMillionNodeTreeWalkWithoutRecursion) {
  // A chain deeper than any call stack would allow a recursive walk.
  auto* top = new NUVPLMOccurrence("top");
  NUVPLMOccurrence* last = top;
  for (int i = 1; i < 100000; ++i) {
    auto* next = new NUVPLMOccurrence("n");
    last->AddChild(next);
    next->Release();
    last = next;
  }
  NUVBaseUnknown_var chain(top);
  NUVListValNUVBaseUnknown_var nonTerminals, terminals;
  NUVSimVizServices::GetAllVizOccurrenceDescendants(chain, nonTerminals, terminals, 1, 1);
  EXPECT_EQ(nonTerminals.Size(), 99999);
  ASSERT_EQ(terminals.Size(), 1);
  EXPECT_EQ(terminals[1].get(), static_cast<NUVBaseUnknown*>(last));
  chain = nullptr;
  top->Release();  // frees the chain without recursion too

  auto* wide = new NUVPLMOccurrence("wide");
  for (int i = 0; i < 1000; ++i) {
    auto* branch = new NUVPLMOccurrence("b");
    for (int j = 0; j < 999; ++j) {
      auto* leaf = new NUVPLMOccurrence("l");
      branch->AddChild(leaf);
      leaf->Release();
    }
    wide->AddChild(branch);
    branch->Release();
  }
  NUVBaseUnknown_var w(wide);
  NUVListValNUVBaseUnknown_var all;
  NUVSimVizServices::GetOrderedVizOccDescendants(w, all, nonTerminals, terminals, 1, 1);
  EXPECT_EQ(all.Size(), 1000001);
  EXPECT_EQ(terminals.Size(), 999000);
  EXPECT_EQ(nonTerminals.Size(), 1001);
  EXPECT_EQ(all[1000001].get(), static_cast<NUVBaseUnknown*>(wide->GetChild(999)->GetChild(998)));
  wide->Release();
}

}  // namespace
