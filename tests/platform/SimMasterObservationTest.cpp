// The per-context coordinator registry.
#include <gtest/gtest.h>

#include <functional>

#include "NUVBaseUnknown_WR.h"
#include "NUVDictionary.h"
#include "NUVFillDictionary.h"
#include "NUVSimMasterObservation.h"

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

TEST_F(SimMasterObservation, CreatesOnlyWhenAskedOncePerContextAndResetReleasesIt) {
  NUVBaseUnknown_var editor(new NUVBaseUnknown);
  editor->Release();  // the handle keeps the only reference
  NUVISimMasterObservation_var c, again, byDefault;
  EXPECT_EQ(NUVSimMasterObservation::Get(c, editor, 0), E_FAIL);
  EXPECT_EQ(FakeCoordinator::created, 0);
  EXPECT_EQ(NUVSimMasterObservation::Get(c, editor, 1), S_OK);
  EXPECT_EQ(c->GetRefCount(), 2u) << "the registry's reference and the handle's";
  NUVSimMasterObservation::Get(again, editor, 1);
  EXPECT_EQ(again.get(), c.get());
  NUVSimMasterObservation::Get(byDefault, nullptr, 1);
  EXPECT_NE(byDefault.get(), c.get());
  EXPECT_EQ(NUVSimMasterObservation::Count(), 2) << "one coordinator per context";

  NUVBaseUnknown_WR weak(c);
  c = again = nullptr;
  EXPECT_TRUE(weak.IsAlive()) << "the registry keeps it";
  EXPECT_EQ(NUVSimMasterObservation::Reset(editor), S_OK);
  EXPECT_FALSE(weak.IsAlive());
  EXPECT_EQ(NUVSimMasterObservation::Get(c, editor, 0), E_FAIL);
  EXPECT_EQ(NUVSimMasterObservation::Reset(editor), S_FALSE);
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
