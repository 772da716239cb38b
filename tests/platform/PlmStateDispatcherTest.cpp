// The PLM state monitor's event dispatcher: one per process, moves published
// synchronously in subscription order, and subscribers that unsubscribe or
// let the dispatcher go while it dispatches.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "NUVBaseUnknown_WR.h"
#include "NUVEventSubscriber.h"
#include "NUVGetPLMStateSynchronousEventDispatcher.h"
#include "NUVPLMStateOccurrenceMovedNotif.h"
#include "NUVPLMStateSynchronousEventDispatcher.h"

namespace {

typedef NUVGetPLMStateSynchronousEventDispatcher Access;

class Mover : public NUVEventSubscriber {
 public:
  Mover(std::vector<int>* log, int n) : _pLog(log), _N(n) {}
  void OnMoved(const char*, void* publisher, NUVNotification* n, void*, int) {
    _pLog->push_back(_N);
    publisher_ = publisher;
    moved_ = static_cast<NUVPLMStateOccurrenceMovedNotif*>(n)->GetOccurrence();
    if (then) then();
  }
  int Subscribe(NUVPLMStateSynchronousEventDispatcher* d) {
    return AddCallback(d, NUVPLMStateOccurrenceMovedNotif::ClassName(),
                       NUVSubscriberMethodCast(&Mover::OnMoved), nullptr);
  }
  std::function<void()> then;
  NUVBaseUnknown* moved_ = nullptr;
  void* publisher_ = nullptr;

 private:
  std::vector<int>* _pLog;
  int _N;
};

TEST(PlmStateDispatcher, CreatedOnceMovesReachSubscribersInOrderAndUnsubscribingStopsTheRest) {
  ASSERT_EQ(Access::GetPLMStateSynchronousEventDispatcher(), nullptr) << "none until asked for";
  NUVPLMStateSynchronousEventDispatcher* d = Access::CreatePLMStateSynchronousEventDispatcher();
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(Access::CreatePLMStateSynchronousEventDispatcher(), d);
  std::vector<int> log;
  Mover first(&log, 1), second(&log, 2), third(&log, 3);
  first.Subscribe(d);
  const int secondId = second.Subscribe(d);
  third.Subscribe(d);
  auto* occurrence = new NUVBaseUnknown;
  first.then = [&] { second.RemoveCallback(d, secondId); };
  d->OccurrenceMoved(occurrence);
  EXPECT_EQ(log, (std::vector<int>{1, 3})) << "a callback removed during the dispatch is skipped";
  EXPECT_EQ(third.moved_, occurrence);
  EXPECT_EQ(third.publisher_, static_cast<void*>(d));
  EXPECT_EQ(occurrence->GetRefCount(), 1u) << "the notification let the occurrence go";
  occurrence->Release();
  first.then = nullptr;
  d->Dispatch(nullptr);
  EXPECT_EQ(log.size(), 2u) << "nothing to publish";

  // A subscriber that lets the dispatcher go: the dispatch finishes on it.
  NUVBaseUnknown_WR weak(d);
  first.then = [] { Access::DestroyPLMStateSynchronousEventDispatcher(); };
  d->OccurrenceMoved(nullptr);
  EXPECT_EQ(log, (std::vector<int>{1, 3, 1, 3}));
  EXPECT_FALSE(weak.IsAlive());
  EXPECT_EQ(Access::GetPLMStateSynchronousEventDispatcher(), nullptr);
}

TEST(EventSubscriberAsPublisher, OwnEventsReachTheirSubscribersAndDieWithIt) {
  std::vector<int> log;
  auto* publisher = new Mover(&log, 0);
  Mover listener(&log, 1);
  ASSERT_NE(publisher->GetCallbackManager(), nullptr);
  EXPECT_NE(AddCallback(&listener, publisher, "MOVED", NUVSubscriberMethodCast(&Mover::OnMoved),
                        nullptr), 0);
  NUVBaseUnknown_WR manager(publisher->GetCallbackManager());
  NUVPLMStateOccurrenceMovedNotif moved(nullptr);
  // The listener destroys the publisher in the middle of its own dispatch.
  listener.then = [&] { publisher->Release(); };
  publisher->GetCallbackManager()->DispatchCallbacks("MOVED", &moved);
  EXPECT_EQ(log, std::vector<int>{1});
  EXPECT_FALSE(manager.IsAlive()) << "the manager went with its publisher once the dispatch ended";
}

}  // namespace
