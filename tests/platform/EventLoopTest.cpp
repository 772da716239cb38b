// The event loop's phases (descriptors, then one due time-out per turn), on a
// steered clock, and the one-based pointer list its users queue with.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "NUVApplication.h"
#include "NUVCommandSelector.h"
#include "NUVHashDico.h"
#include "NUVRawCollPV.h"
#include "NUVRawCollint.h"

namespace {

struct Recorder {
  std::vector<std::string> events;
  NUVApplication* app = nullptr;
};
void Record(const char* what, void* data) { static_cast<Recorder*>(data)->events.push_back(what); }
void Tick(NUVCommand*, int, void* d) { Record("tick", d); }

int64_t g_Now = 0;
int64_t SteeredClock() { return g_Now; }

class EventLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    rec.app = &app;
    g_Now = 0;
    app.SetClock(&SteeredClock);
  }
  NUVApplication app{"loop-test"};
  Recorder rec;
};

}  // namespace

TEST_F(EventLoop, MainApplicationFollowsTheLiveApplication) {
  EXPECT_EQ(NUVApplication::MainApplication(), &app);
  { NUVApplication inner("inner"); EXPECT_EQ(NUVApplication::MainApplication(), &inner); }
  EXPECT_EQ(NUVApplication::MainApplication(), nullptr);
}

TEST_F(EventLoop, ZeroTimeOutsRunOnePerTurnAfterTheDescriptorsOfTheirTurn) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  app.AddFileDescriptor(fds[0], nullptr, &rec, [](NUVCommand*, int fd, void* d) {
    char c;
    ASSERT_EQ(read(fd, &c, 1), 1);
    Record("input", d);
  });
  app.AddTimeOut(0, nullptr, &rec, [](NUVCommand*, int, void* d) {
    Record("1", d);
    static_cast<Recorder*>(d)->app->AddTimeOut(0, nullptr, d, &Tick);
  });
  app.AddTimeOut(0, nullptr, &rec, [](NUVCommand*, int, void* d) { Record("2", d); });
  EXPECT_EQ(app.RunOneTurn(0), 1);
  ASSERT_EQ(write(fds[1], "x", 1), 1);
  EXPECT_EQ(app.RunOneTurn(0), 1);
  EXPECT_EQ(app.RunOneTurn(0), 1);
  EXPECT_EQ(app.RunOneTurn(0), 0) << "nothing left to run";
  EXPECT_EQ(rec.events, (std::vector<std::string>{"1", "input", "2", "tick"}));
  app.RemoveFileDescriptor(fds[0], nullptr);
  close(fds[0]);
  close(fds[1]);
}

TEST_F(EventLoop, DelayedTimeOutIsDueByTheLoopsClockAndCanBeCancelled) {
  int cancelled = app.AddTimeOut(1000, nullptr, &rec, [](NUVCommand*, int, void* d) { Record("late", d); });
  app.AddTimeOut(5, nullptr, &rec, &Tick);
  EXPECT_EQ(app.RemoveTimeOut(cancelled), 1);
  EXPECT_EQ(app.RemoveTimeOut(cancelled), 0);
  g_Now = 4999999;
  EXPECT_EQ(app.RunOneTurn(0), 0) << "not due yet";
  g_Now = 5000000;
  EXPECT_EQ(app.RunOneTurn(0), 1);
  EXPECT_EQ(rec.events, (std::vector<std::string>{"tick"}));
  EXPECT_EQ(app.PendingTimeOuts(), 0);
}

TEST_F(EventLoop, RunEndsOnStopOrWhenNothingIsRegistered) {
  app.AddTimeOut(0, nullptr, &rec, [](NUVCommand*, int, void* d) {
    Record("a", d);
    static_cast<Recorder*>(d)->app->RequestStop();
  });
  app.AddTimeOut(0, nullptr, &rec, [](NUVCommand*, int, void* d) { Record("b", d); });
  app.Run();
  EXPECT_EQ(rec.events, (std::vector<std::string>{"a"}));
  app.Run();  // runs "b", then nothing is left: returns instead of blocking
  EXPECT_EQ(rec.events, (std::vector<std::string>{"a", "b"}));
}

TEST_F(EventLoop, DescriptorRemovedByAnEarlierHandlerIsNotCalled) {
  int p1[2], p2[2];
  ASSERT_EQ(pipe(p1), 0);
  ASSERT_EQ(pipe(p2), 0);
  static int second = -1;
  second = p2[0];
  app.AddFileDescriptor(p1[0], nullptr, &rec, [](NUVCommand*, int, void* d) {
    Record("first", d);
    static_cast<Recorder*>(d)->app->RemoveFileDescriptor(second, nullptr);
  });
  app.AddFileDescriptor(p2[0], nullptr, &rec, [](NUVCommand*, int, void* d) { Record("second", d); });
  EXPECT_EQ(app.AddFileDescriptor(p2[0], nullptr, &rec, &Tick), -1) << "registered once";
  EXPECT_EQ(app.AddFileDescriptor(-1, nullptr, &rec, &Tick), -1);
  ASSERT_EQ(write(p1[1], "x", 1), 1);
  ASSERT_EQ(write(p2[1], "x", 1), 1);
  app.RunOneTurn(0);
  EXPECT_EQ(rec.events, (std::vector<std::string>{"first"}));
  app.RemoveFileDescriptor(p1[0], nullptr);
  for (int fd : {p1[0], p1[1], p2[0], p2[1]}) close(fd);
}

TEST_F(EventLoop, RegistrationsGoWithTheirCommandOrTheirHandler) {
  auto* command = new NUVCommand(NUVCommandSelector::GetCommandSelectorInstance(), "owner");
  app.AddTimeOut(0, nullptr, &rec, [](NUVCommand*, int, void* d) { Record("before", d); });
  app.AddTimeOut(50, command, &rec, &Tick);
  command->RequestDelayedDestruction();
  EXPECT_EQ(app.PendingTimeOuts(), 3);
  app.RunOneTurn(0);  // "before" runs first: destruction waits its turn
  app.RunOneTurn(0);  // the command goes, and its pending time-out with it
  EXPECT_EQ(app.PendingTimeOuts(), 0);
  EXPECT_EQ(rec.events, (std::vector<std::string>{"before"}));

  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  app.AddTimeOut(0, nullptr, &rec, &Tick);
  app.AddTimeOut(10, nullptr, &rec, &Tick);
  app.AddFileDescriptor(fds[0], nullptr, &rec, &Tick);
  app.AddTimeOut(0, nullptr, &rec, [](NUVCommand*, int, void* d) { Record("other", d); });
  EXPECT_EQ(app.RemoveRegistrationsWithHandler(&Tick), 3);
  EXPECT_EQ(app.RegisteredDescriptors(), 0);
  ASSERT_EQ(write(fds[1], "x", 1), 1);
  g_Now = 1000000000;
  while (app.RunOneTurn(0)) {}
  EXPECT_EQ(rec.events, (std::vector<std::string>{"before", "other"}));
  close(fds[0]);
  close(fds[1]);
}

// The pointer list pops its front in constant time (a start index); every
// position-based operation must see through that index.
TEST(Collections, PointerListKeepsPositionsAcrossFrontRemovals) {
  std::vector<int> cells(300);
  NUVRawCollPV list;
  for (int& c : cells) list.Append(&c);
  for (int i = 0; i < 200; ++i) list.RemovePosition(1);  // past the compaction threshold
  ASSERT_EQ(list.Size(), 100);
  EXPECT_EQ(list[1], &cells[200]);
  EXPECT_EQ(list[0], nullptr);
  EXPECT_EQ(list[101], nullptr);
  EXPECT_EQ(list.Locate(&cells[250]), 51);
  EXPECT_EQ(list.Locate(&cells[10]), 0) << "removed elements are gone";
  EXPECT_EQ(list.Locate(&cells[250], 52), 0) << "search starts at the given position";
  list.InsertAt(1, &cells[0]);
  list.Set(2, &cells[1]);
  EXPECT_EQ(list[1], &cells[0]);
  EXPECT_EQ(list[2], &cells[1]);
  EXPECT_EQ(list.RemoveValue(&cells[299]), 101);
  list.RemovePosition(0);
  list.RemovePosition(200);
  list.InsertAt(102, &cells[0]);
  EXPECT_EQ(list.Size(), 100) << "out-of-range positions are ignored";
  list.RemovePosition(1, 99);
  ASSERT_EQ(list.Size(), 1);
  EXPECT_EQ(list[1], &cells[298]);
  list.Append(&cells[5]);
  EXPECT_EQ(list[2], &cells[5]);
  list.Size(1);
  EXPECT_EQ(list.Size(), 1);
  list.RemovePosition(1, 5);
  EXPECT_EQ(list.Size(), 0);
}

TEST(Collections, IntListAndDictionary) {
  NUVRawCollint ints;
  ints.Append(5);
  ints.Append(7);
  ints.Set(2, 9);
  EXPECT_EQ(ints[3], 0);
  EXPECT_EQ(ints.Locate(9), 2);
  EXPECT_EQ(ints.RemoveValue(5), 1);
  EXPECT_EQ(ints.Size(), 1);
  NUVHashDico dico(10);
  int x, y;
  EXPECT_EQ(dico.Insert("key", &x), 1);
  EXPECT_EQ(dico.Insert("key", &y), 0) << "an existing key keeps its value";
  EXPECT_EQ(dico.Locate("key"), &x);
  EXPECT_EQ(dico.Remove("key"), 1);
  EXPECT_EQ(dico.Remove("key"), 0);
}
