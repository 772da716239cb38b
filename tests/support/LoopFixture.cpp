#include "LoopFixture.h"

#include "NUVSimMessageQueue.h"

void LoopFixture::SetUp() {
  NUVSimMessageQueue::DeleteMessageQueueInstance();
  app = std::make_unique<NUVApplication>("test");
}

void LoopFixture::Drain(int maxTurns) {
  for (int i = 0; i < maxTurns && app->PendingTimeOuts() > 0; ++i) app->RunOneTurn(0);
}

void LoopFixture::TearDown() {
  NUVSimMessageQueue::DeleteMessageQueueInstance();
  Drain();
  // Wake-ups left over from the last messages may have rebuilt an empty queue.
  NUVSimMessageQueue::DeleteMessageQueueInstance();
  Drain();
  app.reset();
}
