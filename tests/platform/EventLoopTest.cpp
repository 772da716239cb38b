// The event loop's phases: descriptors, then one due time-out per turn.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "NUVApplication.h"
#include "NUVCommand.h"

namespace {

struct Recorder {
  std::vector<std::string> events;
  NUVApplication* app = nullptr;
};

void Record(const char* what, void* data) { static_cast<Recorder*>(data)->events.push_back(what); }

class EventLoop : public ::testing::Test {
 protected:
  void SetUp() override { rec.app = &app; }
  NUVApplication app{"loop-test"};
  Recorder rec;
};

}  // namespace

TEST_F(EventLoop, MainApplicationFollowsTheLiveApplication) {
  EXPECT_EQ(NUVApplication::MainApplication(), &app);
  {
    NUVApplication inner("inner");
    EXPECT_EQ(NUVApplication::MainApplication(), &inner);
  }
  EXPECT_EQ(NUVApplication::MainApplication(), nullptr);
}

TEST_F(EventLoop, ZeroTimeOutsRunOnePerTurnInOrder) {
  app.AddTimeOut(0, nullptr, &rec, [](NUVCommand*, int, void* d) { Record("1", d); });
  app.AddTimeOut(0, nullptr, &rec, [](NUVCommand*, int, void* d) { Record("2", d); });
  EXPECT_EQ(app.RunOneTurn(0), 1);
  EXPECT_EQ(rec.events, (std::vector<std::string>{"1"}));
  EXPECT_EQ(app.RunOneTurn(0), 1);
  EXPECT_EQ(rec.events, (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(app.RunOneTurn(0), 0) << "nothing left to run";
}

TEST_F(EventLoop, TimeOutAddedFromItsHandlerWaitsForTheNextTurnAfterDescriptors) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  app.AddFileDescriptor(fds[0], nullptr, &rec, [](NUVCommand*, int fd, void* d) {
    char c;
    ASSERT_EQ(read(fd, &c, 1), 1);
    Record("input", d);
  });
  app.AddTimeOut(0, nullptr, &rec, [](NUVCommand*, int, void* d) {
    Record("tick", d);
    auto* r = static_cast<Recorder*>(d);
    r->app->AddTimeOut(0, nullptr, d, [](NUVCommand*, int, void* d2) { Record("tock", d2); });
  });
  app.RunOneTurn(0);
  ASSERT_EQ(write(fds[1], "x", 1), 1);
  app.RunOneTurn(0);
  EXPECT_EQ(rec.events, (std::vector<std::string>{"tick", "input", "tock"}))
      << "descriptors are served in the turn before the re-armed time-out";
  app.RemoveFileDescriptor(fds[0], nullptr);
  close(fds[0]);
  close(fds[1]);
}

TEST_F(EventLoop, DelayedTimeOutWaitsInPollAndCanBeCancelled) {
  int cancelled = app.AddTimeOut(1000, nullptr, &rec, [](NUVCommand*, int, void* d) { Record("late", d); });
  app.AddTimeOut(5, nullptr, &rec, [](NUVCommand*, int, void* d) { Record("soon", d); });
  EXPECT_EQ(app.RemoveTimeOut(cancelled), 1);
  EXPECT_EQ(app.RemoveTimeOut(cancelled), 0);
  EXPECT_EQ(app.RunOneTurn(0), 0) << "not due yet";
  app.RunOneTurn(-1);  // blocks in poll until the 5 ms time-out is due
  EXPECT_EQ(rec.events, (std::vector<std::string>{"soon"}));
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
  EXPECT_EQ(app.AddFileDescriptor(p2[0], nullptr, &rec, [](NUVCommand*, int, void*) {}), -1)
      << "a descriptor is registered once";
  EXPECT_EQ(app.AddFileDescriptor(-1, nullptr, &rec, [](NUVCommand*, int, void*) {}), -1);
  ASSERT_EQ(write(p1[1], "x", 1), 1);
  ASSERT_EQ(write(p2[1], "x", 1), 1);
  app.RunOneTurn(0);
  EXPECT_EQ(rec.events, (std::vector<std::string>{"first"}));
  app.RemoveFileDescriptor(p1[0], nullptr);
  for (int fd : {p1[0], p1[1], p2[0], p2[1]}) close(fd);
}

TEST_F(EventLoop, CommandOwnsItsRegistrationsAndDiesOnALaterTurn) {
  auto* command = new NUVCommand(NUVCommandSelector::GetCommandSelectorInstance(), "owner");
  EXPECT_STREQ(command->GetName(), "owner");
  EXPECT_EQ(command->GetFather(), NUVCommandSelector::GetCommandSelectorInstance());
  app.AddTimeOut(0, nullptr, &rec, [](NUVCommand*, int, void* d) { Record("before", d); });
  app.AddTimeOut(50, command, &rec, [](NUVCommand*, int, void* d) { Record("owned", d); });
  command->RequestDelayedDestruction();
  EXPECT_EQ(app.PendingTimeOuts(), 3);
  app.RunOneTurn(0);  // "before" runs first: destruction waits its turn
  EXPECT_EQ(rec.events, (std::vector<std::string>{"before"}));
  app.RunOneTurn(0);  // the command goes, and its pending time-out with it
  EXPECT_EQ(app.PendingTimeOuts(), 0);
}
