// The message queue through a real event loop. ctest runs these tests twice:
// with the socket wake-up and with PLMSIM_MESSAGEQUEUE_TIMER defined.
#include <gtest/gtest.h>

#include "LoopFixture.h"

namespace {

std::vector<std::string> Names() {
  std::vector<std::string> names;
  for (const auto& run : CountingMessage::Log()) names.push_back(run.name + (run.flush ? "!" : ""));
  return names;
}
NUVSimMessageQueue* Queue() { return NUVSimMessageQueue::GetInstance(); }
void PostOwnedByTheQueue(const char* name) {
  auto* m = new CountingMessage(name);
  m->Post();
  m->Release();
}

class MessageQueue : public LoopFixture {
 protected:
  // Serves what is owed, then expects no message, byte, owed wake-up or time-out.
  void ExpectIdleAfter(int maxTurns) {
    RunUntil([&] { return app->RunOneTurn(0) == 0; }, maxTurns);
    EXPECT_EQ(Queue()->Size() + Queue()->UnsentWakeUps() + app->PendingTimeOuts(), 0);
    EXPECT_EQ(app->RunOneTurn(0), 0);
  }
  std::vector<CountingMessage*> Post(std::initializer_list<const char*> names) {
    std::vector<CountingMessage*> posted;
    for (const char* name : names) posted.push_back(new CountingMessage(name));
    for (CountingMessage* m : posted) m->Post();
    return posted;
  }
  void Release(const std::vector<CountingMessage*>& messages) {
    for (CountingMessage* m : messages) {
      EXPECT_EQ(m->GetRefCount(), 1u) << "reference count back where it was before Post";
      EXPECT_FALSE(m->IsPosted());
      m->Release();
    }
  }
};

// 1,000 messages posted in turn, a thousand times each: execution i must be
// message i % 1000, on a turn of its own.
int g_Executed, g_Faults;
int64_t g_LastTurn;
NUVApplication* g_App;
class FloodMessage : public NUVSimMessage {
 public:
  explicit FloodMessage(int index) : _Index(index) {}
  void Execute(unsigned char flush) override {
    if (g_Executed++ % 1000 != _Index || flush || g_App->TurnCount() == g_LastTurn) ++g_Faults;
    g_LastTurn = g_App->TurnCount();
    NUVSimMessage::Execute(flush);
  }
  int _Index;
};

}  // namespace

TEST_F(MessageQueue, MillionPostsBeforeTheLoopTurnsRunOncePerTurnInOrder) {
  constexpr int kPosts = 1000000;
  g_Executed = g_Faults = 0;
  g_LastTurn = -1;
  g_App = app.get();
  std::vector<FloodMessage*> messages;
  for (int i = 0; i < 1000; ++i) messages.push_back(new FloodMessage(i));
  for (int i = 0; i < kPosts; ++i) messages[i % 1000]->Post();  // must not block
  EXPECT_EQ(Queue()->Size(), kPosts);
  EXPECT_EQ(g_Executed, 0) << "posting must not execute";
  EXPECT_EQ(messages[0]->GetRefCount(), 1001u) << "one reference of the queue per post";
  bool timerMode = NUVGetEnvValueDefinedForTest("PLMSIM_MESSAGEQUEUE_TIMER");
  EXPECT_EQ(NUVSimMessageQueue::UsesSocketWakeUp(), !timerMode);
  EXPECT_EQ(app->RegisteredDescriptors(), timerMode ? 0 : 1);
  if (!timerMode) {
    EXPECT_GT(Queue()->UnsentWakeUps(), 0) << "the channel filled: wake-ups are owed";
  } else {
    EXPECT_EQ(app->PendingTimeOuts(), kPosts);
  }
  EXPECT_EQ(RunUntil([&] { return g_Executed == kPosts; }, kPosts + 10), kPosts);
  EXPECT_EQ(g_Faults, 0) << "out of order, flushed or two in one turn";
  ExpectIdleAfter(0);  // no wake-up left over
  for (FloodMessage* m : messages) EXPECT_EQ(m->Release(), 0u) << "queue references given back";
}

// Posting order, one message per turn and references on random
// interleavings are in tests/properties.
TEST_F(MessageQueue, NullMessageIsIgnored) {
  Queue()->AddMessage(nullptr);
  EXPECT_EQ(Queue()->Size() + app->PendingTimeOuts(), 0) << "a null message must not wake the loop";
  ExpectIdleAfter(0);
}

// A message may run the queue itself: a nested call runs the next message,
// never the one running, and the wake-ups still add up.
TEST_F(MessageQueue, ExecuteMessageOrEmptyQueueFromInsideExecute) {
  auto posted = Post({"a", "b", "c", "d"});
  posted[0]->onExecute = [](CountingMessage*) { Queue()->ExecuteMessage(0); };
  posted[1]->repostsLeft = 1;  // posted again from its Execute: after d
  posted[2]->onExecute = [](CountingMessage*) {
    Queue()->EmptyQueue();
    PostOwnedByTheQueue("late");  // after the flush: runs on a turn
  };
  posted[3]->onExecute = [](CountingMessage*) { PostOwnedByTheQueue("e"); };  // flushed too
  ExpectIdleAfter(10);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "c", "d!", "b!", "e!", "late"}));
  Release(posted);
}

TEST_F(MessageQueue, DeleteDropsQueuedMessagesUnexecuted) {
  auto posted = Post({"a", "b"});
  posted[0]->onExecute = [](CountingMessage*) { NUVSimMessageQueue::DeleteMessageQueueInstance(); };
  Queue()->EmptyQueue();
  EXPECT_EQ(Names(), std::vector<std::string>{"a!"}) << "b went with the deleted queue";
  EXPECT_EQ(posted[1]->GetRefCount(), 1u) << "the queue gives its reference back";
  posted[1]->Post();
  EXPECT_EQ(NUVSimMessageQueue::DeleteMessageQueueInstance(), S_OK);
  Drain();  // a wake-up still pending finds a new, empty queue
  EXPECT_EQ(posted[1]->executions, 0);
  EXPECT_EQ(NUVSimMessageQueue::DeleteMessageQueueInstance(), S_OK);
  EXPECT_EQ(NUVSimMessageQueue::DeleteMessageQueueInstance(), S_OK) << "no queue: still 0";
  posted[1]->Execute(0);  // as the queue would have: idle again
  Release(posted);
}
