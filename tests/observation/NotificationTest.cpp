#include <algorithm>
#include <vector>

#include "NUVListPtrNUVSimMessage.h"
#include "NUVSimNotification.h"
#include "ObservationFixture.h"

namespace {

// Subscribes to the coordinator's events and records what reaches it; a
// test may make it act from inside a callback.
class Subscriber : public NUVBaseUnknown {
 public:
  explicit Subscriber(NUVSimMasterObservationAgentList* c) : coordinator(c) {
    for (const char* e : {NUVSimMasterObservation::NUVSIM_CYCLE(), NUVSimMasterObservation::NUVSIM_ACTIVATED(),
                          NUVSimMasterObservation::NUVSIM_CLEAN()})
      ids.push_back(AddCallback(this, c, e, NUVSubscriberMethodCast(&Subscriber::On), nullptr));
  }
  void On(const char* event, void* publisher, NUVNotification* n, void*, int) {
    EXPECT_EQ(publisher, coordinator);
    auto* sim = static_cast<NUVSimNotification*>(n);
    NUVSimValue value;
    if (sim) sim->GetValue(value);
    seen.push_back(std::string(event) + (sim ? " " + SimFormat(value) : ""));
    if (onEvent) onEvent(sim);
  }
  NUVSimMasterObservationAgentList* coordinator;
  std::vector<int> ids;
  std::vector<std::string> seen;
  std::function<void(NUVSimNotification*)> onEvent;
};

NUVSimNotification* Stamped(double value) {
  auto* n = new NUVSimNotification;
  n->SetValue(NUVSimValue(value));
  return n;
}

}  // namespace

TEST_F(ObservationTest, QueuedNotificationsAreStampedDispatchedOnceAndPostsWaitForTheNextCycle) {
  Subscriber s(coordinator);
  NUVSimNotification* first = Stamped(1);
  NUVSimNotification* second = Stamped(1);
  NUVSimNotification* later = Stamped(7);
  coordinator->PostNotification(first, 0);
  coordinator->PostNotification(second, 0);
  coordinator->PostNotification(nullptr, 0);
  EXPECT_EQ(first->GetRefCount(), 2u);
  NUVSimValue stamp(3.5);
  coordinator->UpdateNotifications(stamp, static_cast<SimComputeStatus>(1), SimLoopContinue);
  s.onEvent = [&](NUVSimNotification* n) { if (n == first) coordinator->PostNotification(later, 0); };
  EXPECT_EQ(coordinator->DispatchNotifications(NUVISimMasterObservation::NUVSimPhaseCycle), S_OK);
  EXPECT_EQ(s.seen, (std::vector<std::string>{"NUVSIM_CYCLE 3.5", "NUVSIM_CYCLE 3.5"}));
  EXPECT_EQ(first->GetRefCount(), 1u);
  s.onEvent = nullptr;
  s.seen.clear();
  coordinator->DispatchNotifications(NUVISimMasterObservation::NUVSimPhaseCycle);
  coordinator->DispatchNotifications(NUVISimMasterObservation::NUVSimPhaseCycle);
  EXPECT_EQ(s.seen, (std::vector<std::string>{"NUVSIM_CYCLE 7"}));
  for (NUVSimNotification* n : {first, second, later}) EXPECT_EQ(n->Release(), 0u);
}

TEST_F(ObservationTest, PhasesCarryNoNotificationAndLeaveTheQueue) {
  Subscriber s(coordinator);
  NUVSimNotification queued;
  coordinator->PostNotification(&queued, 0);
  const int phases[] = {1, 6, 7, -1, 2};
  for (int p : phases)
    EXPECT_EQ(coordinator->DispatchNotifications(static_cast<NUVISimMasterObservation::NUVSimNotificationPhase>(p)), S_OK);
  EXPECT_EQ(s.seen, (std::vector<std::string>{"NUVSIM_ACTIVATED", "NUVSIM_CLEAN"}));
  EXPECT_EQ(queued.GetRefCount(), 2u) << "phase events leave the queue alone";
  {
    NUVSimNotification immediate;  // gone right after the call: nothing keeps it
    coordinator->PostNotification(&immediate, 1);
    EXPECT_EQ(immediate.GetRefCount(), 1u);
  }
  EXPECT_EQ(s.seen.size(), 3u);
  coordinator->DispatchNotifications(NUVISimMasterObservation::NUVSimPhaseCycle);
  EXPECT_EQ(queued.GetRefCount(), 1u);
}

// Subscribers that unsubscribe, or reset the coordinator, during a dispatch.
TEST_F(ObservationTest, SubscribersMayUnsubscribeOrResetDuringADispatch) {
  Subscriber quitter(coordinator), resetter(coordinator);
  quitter.onEvent = [&](NUVSimNotification*) {
    for (int id : quitter.ids) RemoveCallback(&quitter, coordinator, id);
  };
  resetter.onEvent = [&](NUVSimNotification*) { NUVSimMasterObservation::Reset(NUVBaseUnknown_var()); };
  NUVSimNotification* a = Stamped(1);
  NUVSimNotification* b = Stamped(2);
  coordinator->PostNotification(a, 0);
  coordinator->PostNotification(b, 0);
  coordinator->DispatchNotifications(NUVISimMasterObservation::NUVSimPhaseCycle);
  EXPECT_EQ(quitter.seen.size(), 1u);
  EXPECT_EQ(resetter.seen.size(), 2u) << "the dispatch in progress completes";
  EXPECT_EQ(NUVSimMasterObservationAgentList::GetInstance(NUVBaseUnknown_var(), 0), nullptr);
  EXPECT_EQ(a->Release() + b->Release(), 0u);
}

TEST_F(ObservationTest, EntitiesAreToldTwiceWhenAddedTwice) {
  NUVISimAgentKeyFrame_var a = Agent("a");
  coordinator->AddAgent(a, 1, 0);
  NUVBaseUnknown_var entity(new NUVSimNotification), absent(new NUVSimNotification);
  entity->Release();
  absent->Release();
  log.Clear();
  coordinator->AddObservableEntity(entity);
  coordinator->AddObservableEntity(entity);
  coordinator->RemoveObservableEntity(absent);
  NUVISimAgentKeyFrame_var late = Agent("late");
  coordinator->AddAgent(late, 1, 0);
  EXPECT_EQ(Calls("AddEntity"), "a a late") << "one entry, told on every add";
  EXPECT_EQ(Calls("RemoveEntity"), "a");
  log.Clear();
  coordinator->SetDirty();
  EXPECT_EQ(Calls("Dirty"), "a late");
}

// The pointer lists' own logic (both lists share it).
TEST(PointerList, OperationsKeepOrderAndIgnoreOutOfRange) {
  NUVSimNotification n[4];
  NUVSimNotification* items[] = {&n[2], &n[0], nullptr, &n[2], &n[1]};
  NUVListPtrNUVSimNotification list(items, 5), removed;
  list[3] = &n[3];
  list[9] = &n[3];  // outside: ignored
  EXPECT_EQ(list.Size(), 5);
  EXPECT_EQ(list.NbOccur(&n[2]), 2);
  EXPECT_EQ(list.RemoveDuplicates(&removed), 1);
  EXPECT_EQ(removed[1], &n[2]);
  list.Size(6);
  EXPECT_EQ(list.RemoveNulls(), 2);
  auto byAddress = [](NUVSimNotification* a, NUVSimNotification* b) { return a < b ? -1 : a > b ? 1 : 0; };
  list.QuickSort(byAddress);
  NUVListPtrNUVSimNotification sorted(list), other;
  EXPECT_TRUE(sorted == list);
  sorted.Swap(1, 4);
  sorted.Swap(1, 5);
  EXPECT_TRUE(sorted != list);
  EXPECT_LT(NUVListPtrNUVSimNotification::Compare(list, sorted, byAddress), 0);
  other.Append(&n[3]);
  other.Append(&n[0]);
  EXPECT_EQ(NUVListPtrNUVSimNotification::Intersection(list, other, removed), 2);
  EXPECT_EQ(removed[1], &n[0]);
  EXPECT_EQ(list.Remove(other), 2);
  NUVSimNotification* out[4] = {};
  EXPECT_EQ(list.FillArray(out, 4), 2);
  EXPECT_EQ(out[0], &n[1]);
  list = list;
  list.RemoveAll(NUVCollec::ReleaseMemory);
  EXPECT_EQ(list.Size(), 0);
  NUVListPtrNUVSimMessage messages(2), copy;
  messages.Append(nullptr);
  copy = messages;
  EXPECT_TRUE(copy == messages);
}

// Removing duplicates and nulls costs linear time: a million elements.
TEST(PointerList, RemovingDuplicatesOfAMillionIsLinear) {
  std::vector<NUVSimNotification> n(1000);
  NUVListPtrNUVSimNotification list(1000000);
  for (int i = 0; i < 1000000; ++i) list.Append(i % 7 ? &n[i % 1000] : nullptr);
  EXPECT_EQ(list.RemoveNulls(), 142858);
  EXPECT_EQ(list.RemoveDuplicates(), 857142 - 1000);
  EXPECT_EQ(list.Size(), 1000);
}
