// The message queue through a real event loop. The same tests run twice
// under ctest: once with the socket wake-up and once with
// PLMSIM_MESSAGEQUEUE_TIMER defined (the zero time-out wake-up).
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
};

}  // namespace

TEST_F(MessageQueue, WakeUpMeansFollowTheEnvironment) {
  NUVSimMessageQueue* queue = NUVSimMessageQueue::GetInstance();
  ASSERT_NE(queue, nullptr);
  bool timerMode = NUVGetEnvValueDefinedForTest("PLMSIM_MESSAGEQUEUE_TIMER");
  EXPECT_EQ(NUVSimMessageQueue::UsesSocketWakeUp(), !timerMode);
  // Socket mode watches one descriptor; time-out mode none.
  EXPECT_EQ(app->RegisteredDescriptors(), timerMode ? 0 : 1);
}

TEST_F(MessageQueue, PostsRunOnePerTurnInPostingOrder) {
  CountingMessage* a = new CountingMessage("a");
  CountingMessage* b = new CountingMessage("b");
  CountingMessage* c = new CountingMessage("c");
  a->Post();
  b->Post();
  c->Post();
  EXPECT_TRUE(a->IsPosted());
  EXPECT_EQ(a->GetRefCount(), 2u) << "the queue holds one reference while queued";
  EXPECT_TRUE(CountingMessage::Log().empty()) << "posting must not execute";

  app->RunOneTurn(0);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a"})) << "one message per turn";
  RunUntil([] { return CountingMessage::Log().size() == 3; });
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "c"}));
  for (const auto& run : CountingMessage::Log()) EXPECT_EQ(run.flush, 0);
  for (CountingMessage* m : {a, b, c}) {
    EXPECT_FALSE(m->IsPosted());
    EXPECT_EQ(m->GetRefCount(), 1u) << "reference count back where it was before Post";
    m->Release();
  }
}

TEST_F(MessageQueue, SecondPostWithoutExecuteQueuesTwice) {
  CountingMessage* m = new CountingMessage("m");
  m->Post();
  m->Post();
  EXPECT_EQ(m->GetRefCount(), 3u);
  RunUntil([&] { return m->executions == 2; });
  EXPECT_EQ(m->executions, 2);
  app->RunOneTurn(0);
  EXPECT_EQ(m->executions, 2) << "two posts, two executions, no more";
  m->Release();
}

TEST_F(MessageQueue, RepostFromExecuteRunsOnLaterTurns) {
  CountingMessage* m = new CountingMessage("m");
  m->repostsLeft = 4;
  m->Post();
  int64_t before = app->TurnCount();
  RunUntil([&] { return m->executions == 5; });
  EXPECT_EQ(m->executions, 5);
  EXPECT_GE(app->TurnCount() - before, 5) << "each execution has a turn of its own";
  EXPECT_EQ(m->GetRefCount(), 1u);
  m->Release();
}

// A message that keeps posting itself must not starve the loop's input.
TEST_F(MessageQueue, RepostingMessageDoesNotStarveDescriptors) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  struct Input {
    int fd;
    int calls = 0;
    int executionsSeen = -1;
    CountingMessage* m;
  } input{fds[0], 0, -1, nullptr};
  CountingMessage* m = new CountingMessage("spinner");
  input.m = m;
  m->repostsLeft = 1000;
  app->AddFileDescriptor(
      fds[0], nullptr, &input, [](NUVCommand*, int fd, void* data) {
        auto* in = static_cast<Input*>(data);
        char byte;
        ASSERT_EQ(read(fd, &byte, 1), 1);
        ++in->calls;
        in->executionsSeen = in->m->executions;
      });
  m->Post();
  app->RunOneTurn(0);
  ASSERT_EQ(write(fds[1], "i", 1), 1);
  RunUntil([&] { return input.calls > 0 || m->repostsLeft == 0; });
  EXPECT_EQ(input.calls, 1);
  EXPECT_LE(input.executionsSeen, 3) << "input waited behind the spinning message";
  m->repostsLeft = 0;
  RunUntil([&] { return !m->IsPosted(); });
  app->RemoveFileDescriptor(fds[0], nullptr);
  close(fds[0]);
  close(fds[1]);
  m->Release();
}

TEST_F(MessageQueue, LastHolderReleasingDuringExecuteIsSafe) {
  CountingMessage* m = new CountingMessage("m");
  m->Post();
  m->Release();  // only the queue holds it now
  EXPECT_EQ(CountingMessage::Live(), 1);
  RunUntil([] { return CountingMessage::Live() == 0; });
  EXPECT_EQ(CountingMessage::Log().size(), 1u) << "executed once, then destroyed";
  EXPECT_EQ(CountingMessage::Live(), 0);
}

TEST_F(MessageQueue, NullMessageIsIgnored) {
  NUVSimMessageQueue* queue = NUVSimMessageQueue::GetInstance();
  queue->AddMessage(nullptr);
  EXPECT_EQ(queue->Size(), 0);
  queue->ExecuteMessage(0);
  queue->EmptyQueue();
  EXPECT_EQ(app->PendingTimeOuts(), 0) << "a null message must not wake the loop";
}

TEST_F(MessageQueue, ExplicitExecuteDrainsItsWakeUp) {
  CountingMessage* m = new CountingMessage("m");
  m->Post();
  NUVSimMessageQueue::GetInstance()->ExecuteMessage(0);
  EXPECT_EQ(m->executions, 1);
  // The wake-up of that message finds an empty queue and executes nothing.
  for (int i = 0; i < 3; ++i) app->RunOneTurn(0);
  EXPECT_EQ(m->executions, 1);
  if (NUVSimMessageQueue::UsesSocketWakeUp()) {
    EXPECT_EQ(app->RunOneTurn(0), 0) << "the wake-up byte was drained with the message";
  }
  m->Release();
}

TEST_F(MessageQueue, EmptyQueueFlushesEverythingIncludingNewPosts) {
  CountingMessage* a = new CountingMessage("a");
  CountingMessage* b = new CountingMessage("b");
  a->onExecute = [](CountingMessage*) {
    // Posting while the queue empties: it runs in the same EmptyQueue.
    auto* late = new CountingMessage("late");
    late->Post();
    late->Release();
  };
  a->Post();
  b->Post();
  NUVSimMessageQueue::GetInstance()->EmptyQueue();
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "late"}));
  for (const auto& run : CountingMessage::Log()) EXPECT_EQ(run.flush, 1);
  EXPECT_EQ(NUVSimMessageQueue::GetInstance()->Size(), 0);
  a->Release();
  b->Release();
}

TEST_F(MessageQueue, DeleteDropsQueuedMessagesUnexecuted) {
  CountingMessage* m = new CountingMessage("m");
  m->Post();
  EXPECT_EQ(NUVSimMessageQueue::DeleteMessageQueueInstance(), S_OK);
  EXPECT_EQ(m->GetRefCount(), 1u) << "the queue gives its reference back";
  // A wake-up still pending finds a new, empty queue.
  Drain();
  EXPECT_EQ(m->executions, 0);
  EXPECT_EQ(NUVSimMessageQueue::DeleteMessageQueueInstance(), S_OK);
  EXPECT_EQ(NUVSimMessageQueue::DeleteMessageQueueInstance(), S_OK) << "no queue: still 0";
  m->Release();
}

TEST_F(MessageQueue, MessageDeletingTheQueueWhileEmptyingIsSafe) {
  CountingMessage* a = new CountingMessage("a");
  CountingMessage* b = new CountingMessage("b");
  a->onExecute = [](CountingMessage*) { NUVSimMessageQueue::DeleteMessageQueueInstance(); };
  a->Post();
  b->Post();
  NUVSimMessageQueue::GetInstance()->EmptyQueue();
  EXPECT_EQ(Names(), (std::vector<std::string>{"a"})) << "b went with the deleted queue";
  EXPECT_EQ(b->GetRefCount(), 1u);
  a->Release();
  b->Release();
}

// Without an interactive application the queue never wakes a loop: messages
// wait for ExecuteMessage or EmptyQueue.
TEST(MessageQueueWithoutApplication, MessagesOnlyQueue) {
  NUVSimMessageQueue::DeleteMessageQueueInstance();
  ASSERT_EQ(NUVApplication::MainApplication(), nullptr);
  CountingMessage::Log().clear();
  CountingMessage* a = new CountingMessage("a");
  CountingMessage* b = new CountingMessage("b");
  a->Post();
  b->Post();
  NUVSimMessageQueue* queue = NUVSimMessageQueue::GetInstance();
  EXPECT_EQ(queue->Size(), 2);
  queue->ExecuteMessage(0);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a"}));
  queue->EmptyQueue();
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(CountingMessage::Log()[1].flush, 1);
  NUVSimMessageQueue::DeleteMessageQueueInstance();
  a->Release();
  b->Release();
}
