// The message queue through a real event loop. ctest runs these tests twice:
// with the socket wake-up and with PLMSIM_MESSAGEQUEUE_TIMER defined.
#include <gtest/gtest.h>
#include <unistd.h>

#include "CountingMessage.h"
#include "LoopFixture.h"
#include "NUVSimMessageQueue.h"

namespace {

std::vector<std::string> Names() {
  std::vector<std::string> names;
  for (const auto& run : CountingMessage::Log()) names.push_back(run.name);
  return names;
}
NUVSimMessageQueue* Queue() { return NUVSimMessageQueue::GetInstance(); }

class MessageQueue : public LoopFixture {
 protected:
  void SetUp() override {
    LoopFixture::SetUp();
    CountingMessage::Log().clear();
    CountingMessage::Live() = 0;
  }
  void TearDown() override {
    LoopFixture::TearDown();
    EXPECT_EQ(CountingMessage::Live(), 0) << "every message should have been destroyed";
  }
  // Serves the wake-ups still owed, then expects the loop to have nothing:
  // no message, no byte, no owed wake-up, no time-out.
  void ExpectIdleAfter(int maxTurns) {
    RunUntil([&] { return app->RunOneTurn(0) == 0; }, maxTurns);
    EXPECT_EQ(Queue()->Size(), 0);
    EXPECT_EQ(Queue()->UnsentWakeUps(), 0);
    EXPECT_EQ(app->PendingTimeOuts(), 0);
    EXPECT_EQ(app->RunOneTurn(0), 0);
  }
  void Release(std::initializer_list<CountingMessage*> messages) {
    for (CountingMessage* m : messages) {
      EXPECT_EQ(m->GetRefCount(), 1u) << "reference count back where it was before Post";
      m->Release();
    }
  }
};

// Posts of 1,000 messages in turn, a thousand times each, in the order
// message i % 1000; each execution checks that it comes next, on a turn of
// its own.
struct Flood {
  static constexpr int kMessages = 1000;
  int next = 0, outOfOrder = 0, sharedTurns = 0;
  int64_t lastTurn = -1;
  NUVApplication* app = nullptr;
};
class FloodMessage : public NUVSimMessage {
 public:
  FloodMessage(int index, Flood* flood) : _Index(index), _pFlood(flood) {}
  void Execute(unsigned char flush) override {
    Flood& f = *_pFlood;
    if (f.next++ % Flood::kMessages != _Index || flush) ++f.outOfOrder;
    if (f.app->TurnCount() == f.lastTurn) ++f.sharedTurns;
    f.lastTurn = f.app->TurnCount();
    NUVSimMessage::Execute(flush);
  }

 private:
  int _Index;
  Flood* _pFlood;
};

}  // namespace

TEST_F(MessageQueue, MillionPostsBeforeTheLoopTurnsRunOncePerTurnInOrder) {
  constexpr int kPosts = 1000000;
  Flood flood;
  flood.app = app.get();
  std::vector<FloodMessage*> messages;
  for (int i = 0; i < Flood::kMessages; ++i) messages.push_back(new FloodMessage(i, &flood));
  for (int i = 0; i < kPosts; ++i) messages[i % Flood::kMessages]->Post();  // must not block
  EXPECT_EQ(Queue()->Size(), kPosts);
  if (NUVSimMessageQueue::UsesSocketWakeUp()) {
    EXPECT_GT(Queue()->UnsentWakeUps(), 0) << "the channel filled: wake-ups are owed";
  } else {
    EXPECT_EQ(app->PendingTimeOuts(), kPosts);
  }
  int turns = RunUntil([&] { return flood.next == kPosts; }, kPosts + 10);
  EXPECT_EQ(turns, kPosts) << "one message per turn";
  EXPECT_EQ(flood.next, kPosts);
  EXPECT_EQ(flood.outOfOrder, 0);
  EXPECT_EQ(flood.sharedTurns, 0);
  EXPECT_EQ(app->RunOneTurn(0), 0) << "no wake-up left over";
  ExpectIdleAfter(1);
  for (FloodMessage* m : messages) {
    EXPECT_EQ(m->GetRefCount(), 1u);
    m->Release();
  }
}

TEST_F(MessageQueue, PostsRunOnePerTurnInPostingOrder) {
  bool timerMode = NUVGetEnvValueDefinedForTest("PLMSIM_MESSAGEQUEUE_TIMER");
  EXPECT_EQ(NUVSimMessageQueue::UsesSocketWakeUp(), !timerMode);
  Queue();
  EXPECT_EQ(app->RegisteredDescriptors(), timerMode ? 0 : 1);
  auto* a = new CountingMessage("a");
  auto* b = new CountingMessage("b");
  auto* c = new CountingMessage("c");
  for (auto* m : {a, b, c}) m->Post();
  EXPECT_TRUE(a->IsPosted());
  EXPECT_EQ(a->GetRefCount(), 2u) << "the queue holds one reference while queued";
  EXPECT_TRUE(CountingMessage::Log().empty()) << "posting must not execute";
  app->RunOneTurn(0);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a"})) << "one message per turn";
  RunUntil([] { return CountingMessage::Log().size() == 3; });
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "c"}));
  for (const auto& run : CountingMessage::Log()) EXPECT_EQ(run.flush, 0);
  for (auto* m : {a, b, c}) EXPECT_FALSE(m->IsPosted());
  ExpectIdleAfter(3);
  Release({a, b, c});
}

TEST_F(MessageQueue, RepostFromExecuteRunsOnLaterTurnsWithoutStarvingInput) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  auto* m = new CountingMessage("spinner");
  m->repostsLeft = 1000;
  static int seenAt;
  seenAt = -1;
  app->AddFileDescriptor(fds[0], nullptr, m, [](NUVCommand*, int fd, void* data) {
    char byte;
    ASSERT_EQ(read(fd, &byte, 1), 1);
    seenAt = static_cast<CountingMessage*>(data)->executions;
  });
  m->Post();
  app->RunOneTurn(0);
  ASSERT_EQ(write(fds[1], "i", 1), 1);
  int turns = RunUntil([&] { return seenAt >= 0 && m->executions >= 5; });
  EXPECT_LE(seenAt, 3) << "input waited behind the spinning message";
  EXPECT_GE(turns + 1, m->executions) << "each execution has a turn of its own";
  m->repostsLeft = 0;
  RunUntil([&] { return !m->IsPosted(); });
  app->RemoveFileDescriptor(fds[0], nullptr);
  close(fds[0]);
  close(fds[1]);
  ExpectIdleAfter(3);
  Release({m});
}

TEST_F(MessageQueue, NullMessageAndTheLastReferenceReleasedByExecuteAreSafe) {
  Queue()->AddMessage(nullptr);
  EXPECT_EQ(Queue()->Size(), 0);
  EXPECT_EQ(app->PendingTimeOuts(), 0) << "a null message must not wake the loop";
  auto* m = new CountingMessage("m");
  m->Post();
  m->Release();  // only the queue holds it now
  RunUntil([] { return CountingMessage::Live() == 0; });
  EXPECT_EQ(CountingMessage::Log().size(), 1u) << "executed once, then destroyed";
  ExpectIdleAfter(3);
}

TEST_F(MessageQueue, ExplicitExecuteDrainsTheWakeUpOfItsMessage) {
  auto* m = new CountingMessage("m");
  m->Post();
  Queue()->ExecuteMessage(0);
  EXPECT_EQ(m->executions, 1);
  if (NUVSimMessageQueue::UsesSocketWakeUp()) {
    EXPECT_EQ(app->RunOneTurn(0), 0) << "the byte went with its message";
  }
  ExpectIdleAfter(3);  // a time-out left finds an empty queue
  EXPECT_EQ(m->executions, 1);
  Release({m});
}

// A message may run the queue itself: the nested call runs the next message,
// never the one running, and the loop's wake-ups still add up.
TEST_F(MessageQueue, ExecuteMessageFromInsideExecuteRunsTheNextMessage) {
  auto* a = new CountingMessage("a");
  auto* b = new CountingMessage("b");
  auto* c = new CountingMessage("c");
  a->onExecute = [](CountingMessage*) { Queue()->ExecuteMessage(0); };
  for (auto* m : {a, b, c}) m->Post();
  ExpectIdleAfter(10);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "c"}));
  Release({a, b, c});
}

TEST_F(MessageQueue, EmptyQueueFromInsideExecuteFlushesTheRestOnce) {
  auto* a = new CountingMessage("a");
  auto* b = new CountingMessage("b");
  auto* c = new CountingMessage("c");
  a->onExecute = [](CountingMessage*) { Queue()->EmptyQueue(); };
  b->onExecute = [](CountingMessage*) {
    auto* late = new CountingMessage("late");  // posted while emptying: flushed too
    late->Post();
    late->Release();
  };
  for (auto* m : {a, b, c}) m->Post();
  ExpectIdleAfter(10);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "c", "late"}));
  for (size_t i = 0; i < CountingMessage::Log().size(); ++i) {
    EXPECT_EQ(CountingMessage::Log()[i].flush, i == 0 ? 0 : 1);
  }
  Release({a, b, c});
}

TEST_F(MessageQueue, DeleteDropsQueuedMessagesUnexecuted) {
  auto* a = new CountingMessage("a");
  auto* b = new CountingMessage("b");
  a->onExecute = [](CountingMessage*) { NUVSimMessageQueue::DeleteMessageQueueInstance(); };
  a->Post();
  b->Post();
  Queue()->EmptyQueue();
  EXPECT_EQ(Names(), (std::vector<std::string>{"a"})) << "b went with the deleted queue";
  EXPECT_EQ(b->GetRefCount(), 1u) << "the queue gives its reference back";
  b->Post();
  EXPECT_EQ(NUVSimMessageQueue::DeleteMessageQueueInstance(), S_OK);
  Drain();  // a wake-up still pending finds a new, empty queue
  EXPECT_EQ(b->executions, 0);
  EXPECT_EQ(NUVSimMessageQueue::DeleteMessageQueueInstance(), S_OK);
  EXPECT_EQ(NUVSimMessageQueue::DeleteMessageQueueInstance(), S_OK) << "no queue: still 0";
  Release({a, b});
}

// Without an interactive application, messages wait for ExecuteMessage or
// EmptyQueue.
TEST(MessageQueueWithoutApplication, MessagesOnlyQueue) {
  NUVSimMessageQueue::DeleteMessageQueueInstance();
  ASSERT_EQ(NUVApplication::MainApplication(), nullptr);
  CountingMessage::Log().clear();
  auto* a = new CountingMessage("a");
  auto* b = new CountingMessage("b");
  a->Post();
  b->Post();
  EXPECT_EQ(Queue()->Size(), 2);
  Queue()->ExecuteMessage(0);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a"}));
  Queue()->EmptyQueue();
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(CountingMessage::Log()[1].flush, 1);
  NUVSimMessageQueue::DeleteMessageQueueInstance();
  a->Release();
  b->Release();
}
