#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "NUVBaseUnknown_WR.h"
#include "NUVDictionary.h"
#include "NUVFillDictionary.h"
#include "NUVSimMasterObservation.h"
#include "SimAgentType.h"

// Values other code relies on.
static_assert(NUVISimMasterObservation::NUVSimPhaseCycle == 0 &&
                  NUVISimMasterObservation::NUVSimPhaseActivated == 1 &&
                  NUVISimMasterObservation::NUVSimPhaseDeactivated == 2 &&
                  NUVISimMasterObservation::NUVSimPhasePreApplyInitialState == 3 &&
                  NUVISimMasterObservation::NUVSimPhasePostApplyInitialState == 4 &&
                  NUVISimMasterObservation::NUVSimPhaseLoad == 5 &&
                  NUVISimMasterObservation::NUVSimPhaseClean == 6,
              "notification phases are 0 to 6 in order");
static_assert((SimAgentTypeCompute & 4) == 0 && SimAgentTypeCompute == 2,
              "type 2 lacks the observer bit");
static_assert(((SimAgentTypeObserve | SimAgentTypeDisplay) & 4) != 0 &&
                  (SimAgentTypeObserve | SimAgentTypeDisplay) == 20,
              "the redraw agent's type 20 has the observer bit");

namespace {

// A coordinator that counts its instances and may call the registry from its
// constructor or destructor.
class FakeCoordinator : public NUVISimMasterObservation {
 public:
  FakeCoordinator() {
    ++live;
    ++created;
    if (onConstruct) onConstruct();
  }
  ~FakeCoordinator() override {
    --live;
    if (onDestroy) onDestroy();
  }
  static int live, created;
  static std::function<void()> onConstruct, onDestroy;
};
int FakeCoordinator::live = 0;
int FakeCoordinator::created = 0;
std::function<void()> FakeCoordinator::onConstruct;
std::function<void()> FakeCoordinator::onDestroy;

NUVBaseUnknown* CreateFakeCoordinator() { return NUVNew<FakeCoordinator>(); }

const char* const kTestLibrary = "VelloranSimRegistryTest";

}  // namespace

class SimMasterObservation : public ::testing::Test {
 protected:
  void SetUp() override {
    NUVSimMasterObservation::ResetAll();
    FakeCoordinator::created = 0;
    NUVFillDictionary::RegisterFunctionCreation("NUVSimMasterObservation", &CreateFakeCoordinator,
                                                kTestLibrary);
  }
  void TearDown() override {
    FakeCoordinator::onConstruct = nullptr;
    FakeCoordinator::onDestroy = nullptr;
    NUVSimMasterObservation::ResetAll();
    NUVDictionary::UnregisterLibrary(kTestLibrary);
    EXPECT_EQ(FakeCoordinator::live, 0) << "a coordinator leaked";
  }
};

TEST_F(SimMasterObservation, CreatesOnlyWhenAskedAndOncePerContext) {
  NUVBaseUnknown_var editor(new NUVBaseUnknown);
  editor->Release();  // the handle keeps the only reference
  NUVISimMasterObservation_var c;
  EXPECT_EQ(NUVSimMasterObservation::Get(c, editor, 0), E_FAIL);
  EXPECT_FALSE(c);
  EXPECT_EQ(FakeCoordinator::created, 0);

  EXPECT_EQ(NUVSimMasterObservation::Get(c, editor, 1), S_OK);
  ASSERT_TRUE(!!c);
  EXPECT_EQ(c->GetRefCount(), 2u) << "the registry's reference and the handle's";
  NUVISimMasterObservation_var again;
  NUVSimMasterObservation::Get(again, editor, 1);
  EXPECT_EQ(again.get(), c.get());
  NUVSimMasterObservation::Get(again, editor, 0);
  EXPECT_EQ(again.get(), c.get());
  EXPECT_EQ(FakeCoordinator::created, 1);

  NUVISimMasterObservation_var byDefault, other;
  NUVSimMasterObservation::Get(byDefault, nullptr, 1);
  NUVBaseUnknown_var editor2(new NUVBaseUnknown);
  editor2->Release();
  NUVSimMasterObservation::Get(other, editor2, 1);
  EXPECT_NE(byDefault.get(), c.get());
  EXPECT_NE(other.get(), c.get());
  EXPECT_NE(other.get(), byDefault.get());
  EXPECT_EQ(NUVSimMasterObservation::Count(), 3);
}

TEST_F(SimMasterObservation, ResetForgetsTheCoordinatorAndReleasesIt) {
  NUVBaseUnknown_var editor(new NUVBaseUnknown);
  editor->Release();
  NUVISimMasterObservation_var c;
  NUVSimMasterObservation::Get(c, editor, 1);
  NUVBaseUnknown_WR weak(c);
  c = nullptr;
  EXPECT_TRUE(weak.IsAlive()) << "the registry keeps it";
  EXPECT_EQ(NUVSimMasterObservation::Reset(editor), S_OK);
  EXPECT_FALSE(weak.IsAlive());
  EXPECT_EQ(NUVSimMasterObservation::Get(c, editor, 0), E_FAIL);
  EXPECT_FALSE(c);
  EXPECT_EQ(NUVSimMasterObservation::Reset(editor), S_FALSE);

  // The default context resets like any other.
  NUVSimMasterObservation::Get(c, nullptr, 1);
  c = nullptr;
  EXPECT_EQ(NUVSimMasterObservation::Reset(nullptr), S_OK);
  EXPECT_EQ(FakeCoordinator::live, 0);
}

TEST_F(SimMasterObservation, ADestroyedContextLosesItsCoordinator) {
  auto* editor = new NUVBaseUnknown;
  NUVISimMasterObservation_var c;
  NUVSimMasterObservation::Get(c, editor, 1);
  NUVBaseUnknown_WR weak(c);
  c = nullptr;
  editor->Release();
  EXPECT_EQ(NUVSimMasterObservation::Count(), 0);
  // A new object may reuse the address: it must not inherit the coordinator.
  auto* next = new NUVBaseUnknown;
  EXPECT_EQ(NUVSimMasterObservation::Get(c, next, 0), E_FAIL);
  EXPECT_FALSE(weak.IsAlive()) << "the stale entry was dropped and its coordinator released";
  next->Release();
}

TEST_F(SimMasterObservation, CoordinatorsMayCallTheRegistryWhileBuiltOrDestroyed) {
  NUVBaseUnknown_var editor(new NUVBaseUnknown);
  editor->Release();
  long innerResult = S_OK;
  FakeCoordinator::onConstruct = [&] {
    NUVISimMasterObservation_var inner;
    innerResult = NUVSimMasterObservation::Get(inner, editor, 1);
  };
  FakeCoordinator::onDestroy = [&] {
    NUVISimMasterObservation_var inner;
    innerResult = NUVSimMasterObservation::Get(inner, editor, 0);
  };
  NUVISimMasterObservation_var c;
  EXPECT_EQ(NUVSimMasterObservation::Get(c, editor, 1), S_OK);
  EXPECT_EQ(innerResult, E_FAIL) << "no second coordinator while the first is built";
  EXPECT_EQ(FakeCoordinator::created, 1);
  c = nullptr;
  NUVSimMasterObservation::Reset(editor);
  EXPECT_EQ(innerResult, E_FAIL) << "a coordinator being destroyed is no longer registered";
  EXPECT_EQ(FakeCoordinator::live, 0);
}

TEST_F(SimMasterObservation, WithoutACreationFunctionNothingIsCreated) {
  NUVDictionary::UnregisterLibrary(kTestLibrary);
  NUVISimMasterObservation_var c;
  // Unless another library registered one: then it is what Get uses.
  if (NUVDictionary::FindCreation("NUVSimMasterObservation")) GTEST_SKIP();
  EXPECT_EQ(NUVSimMasterObservation::Get(c, nullptr, 1), E_FAIL);
  EXPECT_FALSE(c);
}

TEST(SimMasterObservationEvents, NamesAreTheSystemEventNames) {
  EXPECT_STREQ(NUVSimMasterObservation::NUVSIM_CYCLE(), "NUVSIM_CYCLE");
  EXPECT_STREQ(NUVSimMasterObservation::NUVSIM_ACTIVATED(), "NUVSIM_ACTIVATED");
  EXPECT_STREQ(NUVSimMasterObservation::NUVSIM_DEACTIVATED(), "NUVSIM_DEACTIVATED");
  EXPECT_STREQ(NUVSimMasterObservation::NUVSIM_PREAPPLYINITIALSTATE(),
               "NUVSIM_PREAPPLYINITIALSTATE");
  EXPECT_STREQ(NUVSimMasterObservation::NUVSIM_POSTAPPLYINITIALSTATE(),
               "NUVSIM_POSTAPPLYINITIALSTATE");
  EXPECT_STREQ(NUVSimMasterObservation::NUVSIM_LOAD(), "NUVSIM_LOAD");
  EXPECT_STREQ(NUVSimMasterObservation::NUVSIM_CLEAN(), "NUVSIM_CLEAN");
}
