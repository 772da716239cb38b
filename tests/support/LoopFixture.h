// A test fixture owning a real event loop, made the main application for the
// test's duration. TearDown deletes the message queue and runs the delayed
// destructions still owed, so each test ends with nothing pending, and checks
// that every CountingMessage was destroyed.
#ifndef LoopFixture_h
#define LoopFixture_h

#include <gtest/gtest.h>

#include <memory>

#include "CountingMessage.h"
#include "NUVApplication.h"
#include "NUVGetEnvValue.h"
#include "NUVSimMessageQueue.h"

inline bool NUVGetEnvValueDefinedForTest(const char* name) { return NUVGetEnvValue(name) == 0; }

class LoopFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    NUVSimMessageQueue::DeleteMessageQueueInstance();
    app = std::make_unique<NUVApplication>("test");
    CountingMessage::Log().clear();
    CountingMessage::Live() = 0;
  }
  void TearDown() override {
    // Wake-ups left over from the last messages may rebuild an empty queue.
    for (int i = 0; i < 2; ++i) {
      NUVSimMessageQueue::DeleteMessageQueueInstance();
      Drain();
    }
    app.reset();
    EXPECT_EQ(CountingMessage::Live(), 0) << "every message should have been destroyed";
  }
  // Runs turns without waiting until `done` holds or `maxTurns` ran.
  template <class Predicate>
  int RunUntil(Predicate done, int maxTurns = 10000) {
    int turns = 0;
    for (; !done() && turns < maxTurns; ++turns) app->RunOneTurn(0);
    return turns;
  }
  // Runs turns without waiting until no time-out is pending (bounded).
  void Drain(int turns = 10000) { RunUntil([&] { return app->PendingTimeOuts() == 0; }, turns); }

  std::unique_ptr<NUVApplication> app;
};

#endif
