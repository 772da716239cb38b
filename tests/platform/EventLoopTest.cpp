// The event loop's phases (descriptors, then one due time-out per turn) on a
// steered clock, and the one-based pointer list its users queue with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NUVApplication.h"
#include "NUVCommandSelector.h"
#include "NUVRawCollPV.h"
#include "NUVSockets.h"

namespace {

std::vector<std::string> g_Events;
NUVApplication* g_App = nullptr;
int64_t g_Now = 0;
int64_t SteeredClock() { return g_Now; }
void Tick(NUVCommand*, int, void*) { g_Events.push_back("tick"); }
void Named(NUVCommand*, int, void* name) { g_Events.push_back(static_cast<const char*>(name)); }
void Input(NUVCommand*, int, void* end) {
  if (char c; static_cast<NUVSockets*>(end)->BasicReceive(&c, 1, 0) == 1) g_Events.push_back("input");
}

// Two linked ends of this process: the loop watches the reading end's
// descriptor, readable once a byte is written.
struct Channel {
  Channel() { NUVSockets::MakeLocalPair(reader, writer); }
  ~Channel() { delete reader, delete writer; }
  int fd() const { return reader ? reader->GetHandler() : -1; }
  int Write() { return writer ? writer->BasicSend("x", 1) : -1; }
  NUVSockets* reader = nullptr;
  NUVSockets* writer = nullptr;
};

class EventLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    g_Events.clear();
    g_Now = 0;
    g_App = &app;
    app.SetClock(&SteeredClock);
    ASSERT_GE(channel.fd(), 0);
  }
  NUVApplication app{"loop-test"};
  Channel channel;
};

}  // namespace

TEST_F(EventLoop, ZeroTimeOutsRunOnePerTurnAfterTheDescriptorsOfTheirTurn) {
  app.AddFileDescriptor(channel.fd(), nullptr, channel.reader, &Input);
  app.AddTimeOut(0, nullptr, const_cast<char*>("1"), [](NUVCommand* c, int id, void* d) {
    Named(c, id, d);
    g_App->AddTimeOut(0, nullptr, nullptr, &Tick);
  });
  app.AddTimeOut(0, nullptr, const_cast<char*>("2"), &Named);
  EXPECT_EQ(app.RunOneTurn(0), 1);
  ASSERT_EQ(channel.Write(), 1);
  EXPECT_EQ(app.RunOneTurn(0), 1);
  EXPECT_EQ(app.RunOneTurn(0), 1);
  EXPECT_EQ(app.RunOneTurn(0), 0) << "nothing left to run";
  EXPECT_EQ(g_Events, (std::vector<std::string>{"1", "input", "2", "tick"}));
  app.RemoveFileDescriptor(channel.fd(), nullptr);
}

TEST_F(EventLoop, TimeOutsCancelOnceAndDelayedOnesAreDueByTheLoopsClock) {
  int cancelled[] = {app.AddTimeOut(1000, nullptr, nullptr, &Tick),
                     app.AddTimeOut(0, nullptr, nullptr, &Tick)};
  app.AddTimeOut(5, nullptr, const_cast<char*>("soon"), &Named);
  for (int id : cancelled) EXPECT_EQ(app.RemoveTimeOut(id) * 10 + app.RemoveTimeOut(id), 10);
  g_Now = 4999999;
  EXPECT_EQ(app.RunOneTurn(0), 0) << "not due yet";
  g_Now = 5000000;
  EXPECT_EQ(app.RunOneTurn(0), 1);
  EXPECT_EQ(g_Events, std::vector<std::string>{"soon"});
  EXPECT_EQ(app.PendingTimeOuts(), 0);
}

TEST_F(EventLoop, DescriptorRemovedByAnEarlierHandlerIsNotCalled) {
  static Channel* other;
  Channel second;
  other = &second;
  app.AddFileDescriptor(channel.fd(), nullptr, nullptr, [](NUVCommand*, int, void*) {
    g_Events.push_back("first");
    g_App->RemoveFileDescriptor(other->fd(), nullptr);
  });
  app.AddFileDescriptor(second.fd(), nullptr, second.reader, &Input);
  EXPECT_EQ(app.AddFileDescriptor(second.fd(), nullptr, nullptr, &Tick), -1) << "registered once";
  ASSERT_EQ(channel.Write() + second.Write(), 2);
  app.RunOneTurn(0);
  EXPECT_EQ(g_Events, std::vector<std::string>{"first"});
}

TEST_F(EventLoop, RegistrationsGoWithTheirCommandOrTheirHandler) {
  auto* command = new NUVCommand(NUVCommandSelector::GetCommandSelectorInstance(), "owner");
  app.AddTimeOut(0, nullptr, const_cast<char*>("before"), &Named);
  app.AddTimeOut(50, command, const_cast<char*>("owned"), &Named);
  command->RequestDelayedDestruction();  // after "before"; its time-out goes with it
  app.AddTimeOut(0, nullptr, nullptr, &Tick);
  app.AddTimeOut(10, nullptr, nullptr, &Tick);
  app.AddFileDescriptor(channel.fd(), nullptr, nullptr, &Tick);
  app.AddTimeOut(0, nullptr, const_cast<char*>("other"), &Named);
  EXPECT_EQ(app.RemoveRegistrationsWithHandler(&Tick), 3);
  ASSERT_EQ(channel.Write(), 1);
  g_Now = 1000000000;
  while (app.RunOneTurn(0)) {}
  EXPECT_EQ(g_Events, (std::vector<std::string>{"before", "other"}));
  EXPECT_EQ(app.PendingTimeOuts(), 0);
}

// The list pops its front by moving a start index; every position-based
// operation must see through that index.
TEST(Collections, PointerListKeepsPositionsAcrossFrontRemovals) {
  std::vector<int> cells(300);
  NUVRawCollPV list;
  for (int& c : cells) list.Append(&c);
  for (int i = 0; i < 200; ++i) list.RemovePosition(1);  // past the compaction threshold
  ASSERT_EQ(list.Size(), 100);
  EXPECT_EQ((std::vector<void*>{list[0], list[1], list[101]}),
            (std::vector<void*>{nullptr, &cells[200], nullptr}));
  EXPECT_EQ(list.Locate(&cells[250]), 51);
  EXPECT_EQ(list.Locate(&cells[250], 52), 0) << "search starts at the given position";
  list.InsertAt(1, &cells[0]);
  list.Set(2, &cells[1]);
  EXPECT_EQ(list.RemoveValue(&cells[1]), 2);
  list.InsertAt(102, &cells[0]);
  list.RemovePosition(1, 99);
  ASSERT_EQ(list.Size(), 1) << "out-of-range positions are ignored";
  EXPECT_EQ(list[1], &cells[299]);
}
