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

  // The registry calls none of the coordinator's own operations.
  typedef NUVISimAgentKeyFrame_var& KF;
  typedef NUVISimAgentNegociatedTime_var& NT;
  typedef unsigned char uc;
  long AddAgent(KF, uc, uc) override { return E_FAIL; }
  long AddAgent(NT, uc, uc) override { return E_FAIL; }
  long AddAgent(const NUVString&, KF, uc, uc) override { return E_FAIL; }
  long AddAgent(const NUVString&, NT, uc, uc) override { return E_FAIL; }
  long RemoveAgent(KF) override { return E_FAIL; }
  long RemoveAgent(NT) override { return E_FAIL; }
  long RemoveAgent(const NUVString&) override { return E_FAIL; }
  long GetMainAgent(KF) override { return E_FAIL; }
  long GetMainAgent(NT) override { return E_FAIL; }
  long IsAgentThere(KF, uc&) override { return E_FAIL; }
  long IsAgentThere(NT, uc&) override { return E_FAIL; }
  long IsAgentThere(const NUVString&, uc&) override { return E_FAIL; }
  long IsAgentInteractive(NT, uc&) override { return E_FAIL; }
  long IsAgentInteractive(KF, uc&) override { return E_FAIL; }
  long GetAgent(const NUVString&, KF) override { return E_FAIL; }
  long GetAgent(const NUVString&, NT) override { return E_FAIL; }
  long AddViewerCallback() override { return E_FAIL; }
  long RemoveViewerCallback(uc) override { return E_FAIL; }
  long SetObservationMode(uc, uc) override { return E_FAIL; }
  long GetObservationMode(uc&, uc&) override { return E_FAIL; }
  long ApplyObservations() override { return E_FAIL; }
  long RequestObservations() override { return E_FAIL; }
  long SetDirty(NUVListValNUVBaseUnknown_var&, uc) override { return E_FAIL; }
  long SetDirty() override { return E_FAIL; }
  long PostNotification(NUVSimNotification*, uc) override { return E_FAIL; }
  long UpdateNotifications(NUVSimValue&, SimComputeStatus, SimLoopStatus) override { return E_FAIL; }
  long DispatchNotifications(NUVSimNotificationPhase) override { return E_FAIL; }
  long AddObservableEntity(NUVBaseUnknown_var&) override { return E_FAIL; }
  long RemoveObservableEntity(NUVBaseUnknown_var&) override { return E_FAIL; }
  long AddClashGroup(NUVListValNUVBaseUnknown_var&, int&) override { return E_FAIL; }
  long RemoveClashGroup(int) override { return E_FAIL; }
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
