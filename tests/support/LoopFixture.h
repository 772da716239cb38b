// A test fixture owning a real event loop, made the main application for the
// test's duration. TearDown deletes the message queue and lets the loop run
// the delayed destructions it still owes, so each test ends with nothing
// pending and nothing leaked.
#ifndef LoopFixture_h
#define LoopFixture_h

#include <gtest/gtest.h>

#include <memory>

#include "NUVApplication.h"

class LoopFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs turns without waiting until `done` holds or `maxTurns` ran.
  template <class Predicate>
  int RunUntil(Predicate done, int maxTurns = 10000) {
    int turns = 0;
    while (!done() && turns < maxTurns) {
      app->RunOneTurn(0);
      ++turns;
    }
    return turns;
  }
  // Runs turns without waiting until nothing is pending (bounded).
  void Drain(int maxTurns = 10000);

  std::unique_ptr<NUVApplication> app;
};

#endif

#include "NUVGetEnvValue.h"
inline bool NUVGetEnvValueDefinedForTest(const char* name) { return NUVGetEnvValue(name) == 0; }
