// The message queue through a real event loop, for random interleavings of
// posts, turns of the loop, explicit ExecuteMessage and EmptyQueue calls,
// and messages that post again or lose their owner's reference while they
// execute: against a model queue of message numbers.
#include <algorithm>
#include <deque>

#include "LoopFixture.h"
#include "PropertySupport.h"

namespace {

const int kMessages = 6;
struct Model {
  std::mt19937_64* random;
  CountingMessage* messages[kMessages];
  bool owned[kMessages];  // the test still holds its reference
  std::deque<int> queued;
  int executed = 0, faults = 0;
} g_Model;

// Checks the message against the model's oldest, then, as drawn: posts
// another, drops the owner's reference, posts itself again.
void OnExecute(CountingMessage* m) {
  Model& model = g_Model;
  std::mt19937_64& random = *model.random;
  const int i = static_cast<int>(std::find(model.messages, model.messages + kMessages, m) -
                                 model.messages);
  ++model.executed;
  if (model.queued.empty() || model.queued.front() != i) ++model.faults;
  if (!model.queued.empty()) model.queued.pop_front();
  const bool flush = CountingMessage::Log().back().flush;
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
      const int kind = random() % 10, before = model.executed, i = random() % kMessages;
      const size_t queued = model.queued.size();
      if (kind < 5 && model.owned[i]) {
        model.messages[i]->Post();
        model.queued.push_back(i);
      } else if (kind >= 5 && kind < 9) {
        kind < 8 ? app->RunOneTurn(0) : (queue->ExecuteMessage(0), 0);
        ASSERT_EQ(model.executed - before, queued ? 1 : 0) << "one message per turn or call";
      } else if (kind == 9) {
        queue->EmptyQueue();
        ASSERT_TRUE(model.queued.empty());
      }
      ASSERT_EQ(model.faults, 0) << "out of posting order";
      ASSERT_EQ(queue->Size(), static_cast<int>(model.queued.size()));
      for (int j = 0; j < kMessages; ++j) {
        if (!model.owned[j]) continue;
        const auto inQueue = std::count(model.queued.begin(), model.queued.end(), j);
        ASSERT_EQ(model.messages[j]->GetRefCount(), 1 + static_cast<unsigned>(inQueue))
            << "one reference per post";
      }
    }
    // Every wake-up still owed runs a message of its own, then none is left.
    for (int before = model.executed; !model.queued.empty(); before = model.executed) {
      app->RunOneTurn(0);
      ASSERT_EQ(model.executed - before, 1);
    }
    const int executed = model.executed;
    Drain();  // zero time-outs left by explicit calls find an empty queue
    ASSERT_EQ(app->RunOneTurn(0), 0);
    ASSERT_EQ(queue->Size() + queue->UnsentWakeUps() + model.executed - executed + model.faults, 0);
    for (int i = 0; i < kMessages; ++i) {
      ASSERT_EQ(model.owned[i] ? model.messages[i]->Release() : 0u, 0u) << "references given back";
    }
    ASSERT_EQ(CountingMessage::Live(), 0) << "the others went with the queue";
  }
}
