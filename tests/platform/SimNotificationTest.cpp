#include <gtest/gtest.h>

#include "NUVCallbackManager.h"
#include "NUVEventSubscriber.h"
#include "NUVSimMasterObservation.h"
#include "NUVSimNotification.h"

namespace {

class CycleWatcher : public NUVEventSubscriber {
 public:
  void OnCycle(const char*, void*, NUVNotification* notification, void*, int) {
    ++calls;
    auto* sim = dynamic_cast<NUVSimNotification*>(notification);
    if (!sim) return;
    sim->GetValue(value);
    sim->GetComputeStatus(compute);
    sim->GetLoopStatus(loop);
    refsSeen = sim->GetRefCount();
  }
  int calls = 0;
  NUVSimValue value;
  SimComputeStatus compute = SimComputeOK;
  SimLoopStatus loop = SimLoopUnset;
  unsigned long refsSeen = 0;
};

}  // namespace

TEST(SimNotification, ReachesSubscribersWithItsStampsAndNoExtraReference) {
  auto* manager = new NUVCallbackManager;
  auto* watcher = new CycleWatcher;
  ASSERT_NE(AddCallback(watcher, manager, NUVSimMasterObservation::NUVSIM_CYCLE(),
                        NUVSubscriberMethodCast(&CycleWatcher::OnCycle), nullptr),
            0);
  {
    // Built on the stack, as an immediate dispatch does.
    NUVSimNotification notification;
    notification.SetValue(NUVSimValue(5, 1));
    notification.SetComputeStatus(SimComputeNotConverged);
    notification.SetLoopStatus(SimLoopStop);
    manager->DispatchCallbacks(NUVSimMasterObservation::NUVSIM_CYCLE(), &notification, manager);
  }
  EXPECT_EQ(watcher->calls, 1);
  EXPECT_EQ(watcher->value.GetWholePart(), 5);
  EXPECT_EQ(watcher->value.GetFinePart(), 1);
  EXPECT_EQ(watcher->compute, SimComputeNotConverged);
  EXPECT_EQ(watcher->loop, SimLoopStop);
  EXPECT_EQ(watcher->refsSeen, 1u) << "dispatch takes no reference on the notification";

  // Phase events carry no notification.
  manager->DispatchCallbacks(NUVSimMasterObservation::NUVSIM_ACTIVATED(), nullptr, manager);
  manager->DispatchCallbacks(NUVSimMasterObservation::NUVSIM_CYCLE(), nullptr, manager);
  EXPECT_EQ(watcher->calls, 2);
  watcher->Release();
  manager->Release();
}
