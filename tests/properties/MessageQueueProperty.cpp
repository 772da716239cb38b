// The message queue through a real event loop, for random interleavings of
// posts, turns of the loop, explicit ExecuteMessage and EmptyQueue calls,
// and messages that post themselves or others again, or lose their owner's
// reference, while they execute: against a model queue of message numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "LoopFixture.h"
#include "PropertySeed.h"

namespace {

const int kMessages = 6;
struct Model {
  std::mt19937_64* random;
  CountingMessage* messages[kMessages];
  bool owned[kMessages];  // the test still holds its reference
  std::deque<int> queued;
  int executed = 0, faults = 0;
  int Index(CountingMessage* m) const {
    return static_cast<int>(std::find(messages, messages + kMessages, m) - messages);
  }
} g_Model;

// Checks the message against the model's oldest, then does what the
// random draw says: post another, drop the owner's reference, post again.
void OnExecute(CountingMessage* m) {
  Model& model = g_Model;
  ++model.executed;
  const int i = model.Index(m);
  if (model.queued.empty() || model.queued.front() != i) ++model.faults;
  if (!model.queued.empty()) model.queued.pop_front();
  const bool flush = CountingMessage::Log().back().flush;
  std::mt19937_64& random = *model.random;
  const int other = random() % kMessages;
  if (!flush && random() % 4 == 0 && model.owned[other]) {
    model.messages[other]->Post();
    model.queued.push_back(other);
  }
  if (random() % 6 == 0 && model.owned[i]) {
    model.owned[i] = false;
    m->Release();  // the queue's reference keeps it alive to the end of Execute
  }
  m->repostsLeft = random() % 4 == 0 ? 1 : 0;
  if (!flush && m->repostsLeft) model.queued.push_back(i);
}

class MessageQueueProperty : public LoopFixture {};

}  // namespace

TEST_F(MessageQueueProperty, PostingOrderOneMessagePerTurnAndReferencesBack) {
  PROPERTY_RANDOM(random);
  NUVSimMessageQueue* queue = NUVSimMessageQueue::GetInstance();
  for (int round = 0; round < 50; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    Model& model = g_Model = Model();
    model.random = &random;
    for (int i = 0; i < kMessages; ++i) {
      model.messages[i] = new CountingMessage(std::to_string(i));
      model.messages[i]->onExecute = OnExecute;
      model.owned[i] = true;
    }
    for (int op = 0; op < 200; ++op) {
      const int kind = random() % 10, before = model.executed;
      const size_t queued = model.queued.size();
      if (kind < 5) {
        const int i = random() % kMessages;
        if (!model.owned[i]) continue;
        model.messages[i]->Post();
        model.queued.push_back(i);
      } else if (kind < 8) {
        app->RunOneTurn(0);
        ASSERT_EQ(model.executed - before, queued ? 1 : 0) << "one message per turn";
      } else if (kind == 8) {
        queue->ExecuteMessage(0);
        ASSERT_EQ(model.executed - before, queued ? 1 : 0);
      } else {
        queue->EmptyQueue();
        ASSERT_TRUE(model.queued.empty());
      }
      ASSERT_EQ(model.faults, 0) << "out of posting order";
      ASSERT_EQ(queue->Size(), static_cast<int>(model.queued.size()));
      for (int i = 0; i < kMessages; ++i) {
        if (!model.owned[i]) continue;
        const auto inQueue = std::count(model.queued.begin(), model.queued.end(), i);
        ASSERT_EQ(model.messages[i]->GetRefCount(), 1 + static_cast<unsigned>(inQueue))
            << "one reference per post";
      }
    }
    // Every wake-up still owed runs a message of its own, then none is left.
    while (!model.queued.empty()) {
      const int before = model.executed;
      app->RunOneTurn(0);
      ASSERT_EQ(model.executed - before, 1);
    }
    ASSERT_EQ(app->RunOneTurn(0), 0);
    ASSERT_EQ(queue->Size() + queue->UnsentWakeUps(), 0);
    ASSERT_EQ(model.faults, 0);
    int live = 0;
    for (int i = 0; i < kMessages; ++i) {
      if (!model.owned[i]) continue;
      ++live;
      ASSERT_EQ(model.messages[i]->Release(), 0u) << "the queue gave every reference back";
    }
    ASSERT_EQ(CountingMessage::Live(), 0) << live << " owned; the others went with the queue";
  }
}
