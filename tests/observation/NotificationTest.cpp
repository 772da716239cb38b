#include <vector>

#include "NUVListPtrNUVSimMessage.h"
#include "NUVSimNotification.h"
#include "ObservationFixture.h"

namespace {

typedef NUVISimMasterObservation::NUVSimNotificationPhase Phase;

// Records the events that reach it ("<event> <stamped value>"); may act in them.
class Subscriber : public NUVBaseUnknown {
 public:
  explicit Subscriber(NUVSimMasterObservationAgentList* c) : coordinator(c) {
    for (const char* e : {NUVSimMasterObservation::NUVSIM_CYCLE(), NUVSimMasterObservation::NUVSIM_ACTIVATED(),
                          NUVSimMasterObservation::NUVSIM_CLEAN()})
      ids.push_back(AddCallback(this, c, e, NUVSubscriberMethodCast(&Subscriber::On), nullptr));
  }
  void On(const char* event, void* publisher, NUVNotification* n, void*, int) {
    EXPECT_EQ(publisher, coordinator);
    NUVSimValue value;
    if (n) static_cast<NUVSimNotification*>(n)->GetValue(value);
    seen.push_back(std::string(event) + (n ? " " + SimFormat(value) : ""));
    if (onEvent) onEvent(static_cast<NUVSimNotification*>(n));
  }
  NUVSimMasterObservationAgentList* coordinator;
  std::vector<int> ids;
  std::vector<std::string> seen;
  std::function<void(NUVSimNotification*)> onEvent;
};

}  // namespace

TEST_F(ObservationTest, QueuedNotificationsAreStampedDispatchedOnceAndPostsWaitForTheNextCycle) {
  Subscriber s(coordinator);
  NUVSimNotification *first = new NUVSimNotification, *second = new NUVSimNotification, *later = new NUVSimNotification;
  later->SetValue(NUVSimValue(7.0));
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
  EXPECT_EQ(first->Release() + second->Release() + later->Release(), 0u);
}

TEST_F(ObservationTest, PhasesCarryNoNotificationAndLeaveTheQueue) {
  Subscriber s(coordinator);
  NUVSimNotification queued;
  coordinator->PostNotification(&queued, 0);
  for (int p : {1, 6, 7, -1, 2}) EXPECT_EQ(coordinator->DispatchNotifications(static_cast<Phase>(p)), S_OK);
  EXPECT_EQ(s.seen, (std::vector<std::string>{"NUVSIM_ACTIVATED", "NUVSIM_CLEAN"}));
  EXPECT_EQ(queued.GetRefCount(), 2u) << "phase events leave the queue alone";
  {
    NUVSimNotification immediate;  // gone right after the call: nothing keeps it
    coordinator->PostNotification(&immediate, 1);
    EXPECT_EQ(immediate.GetRefCount(), 1u);
  }
  coordinator->DispatchNotifications(NUVISimMasterObservation::NUVSimPhaseCycle);
  EXPECT_TRUE(s.seen.size() == 4u && queued.GetRefCount() == 1u) << "one immediate, one queued";
}

TEST_F(ObservationTest, SubscribersMayUnsubscribeOrResetDuringADispatch) {
  Subscriber quitter(coordinator), resetter(coordinator);
  quitter.onEvent = [&](NUVSimNotification*) {
    for (int id : quitter.ids) RemoveCallback(&quitter, coordinator, id);
  };
  resetter.onEvent = [&](NUVSimNotification*) { NUVSimMasterObservation::Reset(NUVBaseUnknown_var()); };
  NUVSimNotification a, b;
  coordinator->PostNotification(&a, 0);
  coordinator->PostNotification(&b, 0);
  coordinator->DispatchNotifications(NUVISimMasterObservation::NUVSimPhaseCycle);
  EXPECT_EQ(quitter.seen.size(), 1u);
  EXPECT_EQ(resetter.seen.size(), 2u) << "the dispatch in progress completes";
  EXPECT_EQ(NUVSimMasterObservationAgentList::GetInstance(NUVBaseUnknown_var(), 0), nullptr);
  EXPECT_EQ(a.GetRefCount() + b.GetRefCount(), 2u);
}

TEST_F(ObservationTest, EntitiesAreToldTwiceWhenAddedTwice) {
  NUVISimAgentKeyFrame_var a = Agent("a"), late = Agent("late");
  coordinator->AddAgent(a, 1, 0);
  NUVBaseUnknown_var entity, absent;
  entity.Attach(new NUVSimNotification);
  absent.Attach(new NUVSimNotification);
  log.Clear();
  coordinator->AddObservableEntity(entity);
  coordinator->AddObservableEntity(entity);
  coordinator->RemoveObservableEntity(absent);
  coordinator->AddAgent(late, 1, 0);
  EXPECT_EQ(Calls("AddEntity"), "a a late") << "one entry, told on every add";
  EXPECT_EQ(Calls("RemoveEntity"), "a");
  coordinator->SetDirty();
  EXPECT_EQ(Calls("Dirty"), "a late");
}

// The pointer lists' own logic, which both lists share.
TEST(PointerList, OperationsKeepOrderAndIgnoreOutOfRange) {
  NUVSimNotification n[4];
  NUVSimNotification* items[] = {&n[2], &n[0], nullptr, &n[2], &n[1]};
  NUVListPtrNUVSimNotification list(items, 5), removed, other;
  list[3] = &n[3];
  list[9] = &n[3];  // outside: ignored
  EXPECT_EQ(list.Size() * 10 + list.NbOccur(&n[2]), 52);
  EXPECT_EQ(list.RemoveDuplicates(&removed), 1);
  EXPECT_EQ(removed[1], &n[2]);
  list.Size(6);
  EXPECT_EQ(list.RemoveNulls(), 2);
  auto byAddress = [](NUVSimNotification* a, NUVSimNotification* b) { return a < b ? -1 : a > b ? 1 : 0; };
  list.QuickSort(byAddress);  // n0 n1 n2 n3
  NUVListPtrNUVSimNotification swapped(list);
  swapped.Swap(1, 4);
  swapped.Swap(1, 5);
  EXPECT_TRUE(swapped != list && !(swapped == list) && swapped[1] == &n[3] && list[1] == &n[0]);
  EXPECT_LT(NUVListPtrNUVSimNotification::Compare(list, swapped, byAddress), 0);
  other.InsertAt(1, &n[0]);
  other.InsertAt(1, &n[3]);
  EXPECT_EQ(NUVListPtrNUVSimNotification::Intersection(list, other, removed), 2);
  EXPECT_EQ(removed[1], &n[0]);
  EXPECT_EQ(list.Remove(other), 2);
  NUVSimNotification* out[4] = {};
  EXPECT_EQ(list.FillArray(out, 4), 2);
  EXPECT_EQ(out[0], &n[1]);
  list.RemoveAll(NUVCollec::ReleaseMemory);
  NUVListPtrNUVSimMessage messages(2), copy;
  messages.Append(nullptr);
  copy = messages;
  EXPECT_TRUE(copy == messages && list.Size() == 0);
}

// A million elements: removing nulls and duplicates is linear.
TEST(PointerList, RemovingDuplicatesOfAMillion) {
  std::vector<NUVSimNotification> n(1000);
  NUVListPtrNUVSimNotification list(1000000);
  for (int i = 0; i < 1000000; ++i) list.Append(i % 7 ? &n[i % 1000] : nullptr);
  EXPECT_EQ(list.RemoveNulls(), 142858);
  EXPECT_EQ(list.RemoveDuplicates(), 857142 - 1000);
}
