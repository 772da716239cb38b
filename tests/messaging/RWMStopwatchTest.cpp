#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "NUVOsCalls.h"
#include "NUVOsTestHooks.h"
#include "RWMStopwatch.h"

namespace {

const LONGLONG kSecond = 1000000000;  // counts of the emulated counter

// Every stopwatch test runs on a hand-driven performance counter (or tick
// count), so that elapsed times are exact.
class RWMStopwatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    NUVOsResetEmulation();
    NUVOsSetFakePerformanceCounter(1, 1000 * kSecond);
  }
  void TearDown() override {
    NUVOsResetEmulation();
    // Leave the class-wide frequency as a fresh process has it.
    RWMStopwatch restore;
  }
  static void Advance(LONGLONG counts) { NUVOsAdvancePerformanceCounter(counts); }
};

TEST_F(RWMStopwatchTest, FreshStopwatchIsIdle) {
  RWMStopwatch watch;
  EXPECT_EQ(watch.read(), 0.0);
  EXPECT_EQ(watch.readMicro(), 0);
  EXPECT_EQ(watch.depth(), 0);
  EXPECT_FALSE(watch.isRunning());
}

TEST_F(RWMStopwatchTest, RunningReadMeasuresUpToNow) {
  RWMStopwatch watch;
  watch.start();
  EXPECT_TRUE(watch.isRunning());
  EXPECT_EQ(watch.depth(), 1);
  EXPECT_EQ(watch.read(), 0.0);
  Advance(kSecond + kSecond / 2);
  EXPECT_DOUBLE_EQ(watch.read(), 1.5);
  EXPECT_EQ(watch.readMicro(), 1500000);
  Advance(kSecond);
  EXPECT_DOUBLE_EQ(watch.read(), 2.5);
}

TEST_F(RWMStopwatchTest, StoppedReadIsFrozenAtTheFirstStop) {
  RWMStopwatch watch;
  watch.start();
  Advance(2 * kSecond);
  watch.stop();
  EXPECT_FALSE(watch.isRunning());
  Advance(5 * kSecond);
  double first = watch.read();
  double second = watch.read();
  EXPECT_EQ(first, second);
  EXPECT_DOUBLE_EQ(first, 2.0);
  EXPECT_EQ(watch.readMicro(), 2000000);

  watch.stop();  // already stopped: the stop time must not move
  EXPECT_DOUBLE_EQ(watch.read(), 2.0);
  EXPECT_EQ(watch.depth(), 1);
}

TEST_F(RWMStopwatchTest, ResetOfAStoppedInnerLevelRunsFromTheOuterStart) {
  RWMStopwatch watch;
  watch.start();
  Advance(kSecond);
  watch.start();
  Advance(2 * kSecond);
  EXPECT_DOUBLE_EQ(watch.read(), 2.0) << "reads from the innermost start";
  watch.stop();
  watch.reset();
  EXPECT_EQ(watch.depth(), 1);
  EXPECT_TRUE(watch.isRunning());
  Advance(kSecond / 2);
  EXPECT_DOUBLE_EQ(watch.read(), 3.5);
}

TEST_F(RWMStopwatchTest, StartOnAStoppedStopwatchReplacesTheStoppedLevel) {
  RWMStopwatch watch;
  watch.start();
  Advance(kSecond);
  watch.start();
  Advance(kSecond);
  watch.stop();
  Advance(3 * kSecond);
  watch.start();
  EXPECT_EQ(watch.depth(), 2);
  EXPECT_TRUE(watch.isRunning());
  Advance(kSecond / 4);
  EXPECT_DOUBLE_EQ(watch.read(), 0.25) << "measured from the new start";
  watch.reset();
  EXPECT_DOUBLE_EQ(watch.read(), 5.25) << "the outer start is untouched";
}

TEST_F(RWMStopwatchTest, StopAndResetOnAnIdleStopwatchChangeNothing) {
  RWMStopwatch watch;
  watch.stop();
  EXPECT_FALSE(watch.isRunning());
  EXPECT_EQ(watch.read(), 0.0);
  watch.reset();
  EXPECT_EQ(watch.depth(), 0);
  // No stop was recorded by the idle stop: a start now runs at once.
  watch.start();
  EXPECT_TRUE(watch.isRunning());
  EXPECT_EQ(watch.depth(), 1);
  Advance(kSecond);
  EXPECT_DOUBLE_EQ(watch.read(), 1.0);
}

// Every cell of the state table: from a state reached by `setup`, `action`
// leads to `depth` levels and the given running flag.
struct Transition {
  const char* setup;  // S = start, T = stop
  char action;        // S = start, T = stop, R = reset
  int depth;
  bool running;
};

class RWMStopwatchStateTable : public RWMStopwatchTest,
                               public ::testing::WithParamInterface<Transition> {};

TEST_P(RWMStopwatchStateTable, ActionLeadsToTheExpectedState) {
  const Transition& row = GetParam();
  RWMStopwatch watch;
  auto apply = [&watch](char op) {
    if (op == 'S') watch.start();
    if (op == 'T') watch.stop();
    if (op == 'R') watch.reset();
    Advance(kSecond);
  };
  for (const char* op = row.setup; *op; ++op) apply(*op);
  apply(row.action);
  EXPECT_EQ(watch.depth(), row.depth);
  EXPECT_EQ(watch.isRunning(), row.running);
  EXPECT_EQ(watch.read() == 0.0, row.depth == 0);
}

INSTANTIATE_TEST_SUITE_P(
    AllStates, RWMStopwatchStateTable,
    ::testing::Values(Transition{"", 'S', 1, true}, Transition{"", 'T', 0, false},
                      Transition{"", 'R', 0, false}, Transition{"S", 'S', 2, true},
                      Transition{"S", 'T', 1, false}, Transition{"S", 'R', 0, false},
                      Transition{"SS", 'R', 1, true}, Transition{"ST", 'S', 1, true},
                      Transition{"ST", 'T', 1, false}, Transition{"ST", 'R', 0, false},
                      Transition{"SST", 'S', 2, true}, Transition{"SST", 'R', 1, true}),
    [](const ::testing::TestParamInfo<Transition>& info) {
      std::string name = std::string(*info.param.setup ? info.param.setup : "Idle") + "_" +
                         info.param.action;
      return name;
    });

TEST_F(RWMStopwatchTest, CopyOwnsItsOwnTimestamps) {
  auto original = std::make_unique<RWMStopwatch>();
  original->start();
  Advance(kSecond);
  original->start();
  Advance(kSecond);
  original->stop();
  RWMStopwatch copy(*original);
  RWMStopwatch assigned;
  assigned.start();
  assigned = *original;
  original.reset();  // frees the original's cells; the copies must not use them
  EXPECT_EQ(copy.depth(), 2);
  EXPECT_FALSE(copy.isRunning());
  EXPECT_DOUBLE_EQ(copy.read(), 1.0);
  copy.reset();
  EXPECT_DOUBLE_EQ(copy.read(), 2.0);
  EXPECT_EQ(assigned.depth(), 2);
  EXPECT_DOUBLE_EQ(assigned.read(), 1.0);
  RWMStopwatch& alias = assigned;
  assigned = alias;  // self-assignment keeps the timestamps
  EXPECT_EQ(assigned.depth(), 2);
  EXPECT_DOUBLE_EQ(assigned.read(), 1.0);
}

TEST_F(RWMStopwatchTest, ReadMicroTruncatesTowardZero) {
  RWMStopwatch watch;
  watch.start();
  Advance(1999);  // 1.999 microseconds
  EXPECT_EQ(watch.readMicro(), 1);
  Advance(1);
  EXPECT_EQ(watch.readMicro(), 2);
}

TEST_F(RWMStopwatchTest, ReadingsConvertWithTheCounterFrequency) {
  NUVOsSetPerformanceFrequency(3);
  RWMStopwatch watch;
  watch.start();
  Advance(1);
  EXPECT_DOUBLE_EQ(watch.read(), 1.0 / 3.0);
  EXPECT_EQ(watch.readMicro(), 333333);
  Advance(6);
  EXPECT_DOUBLE_EQ(watch.read(), 7.0 / 3.0);
  EXPECT_EQ(watch.readMicro(), 2333333);
}

TEST_F(RWMStopwatchTest, ResolutionFollowsTheCounterFrequency) {
  struct Case {
    LONGLONG frequency;
    int micro;
  };
  for (Case c : {Case{1000000000, 0}, Case{3000000, 0}, Case{1000001, 0}, Case{1000000, 1},
                 Case{999999, 1}, Case{300000, 3}, Case{1, 1000000}}) {
    NUVOsSetPerformanceFrequency(c.frequency);
    RWMStopwatch watch;
    EXPECT_EQ(RWMStopwatch::GetResolutionMicro(), c.micro) << c.frequency;
    EXPECT_DOUBLE_EQ(RWMStopwatch::GetResolution(), 1.0 / static_cast<double>(c.frequency));
  }
}

TEST_F(RWMStopwatchTest, ANegativeFrequencyCountsAsNoCounter) {
  NUVOsSetPerformanceFrequency(-5);
  RWMStopwatch watch;
  EXPECT_EQ(RWMStopwatch::GetResolutionMicro(), 1000);
  EXPECT_DOUBLE_EQ(RWMStopwatch::GetResolution(), 0.001);
}

class RWMStopwatchFallbackTest : public RWMStopwatchTest {
 protected:
  void SetUp() override {
    RWMStopwatchTest::SetUp();
    NUVOsForcePerformanceCounterFailure(1);
    NUVOsSetFakeTickCount(1, 0xFFFFFF00u);  // 256 ms before the wrap
  }
};

TEST_F(RWMStopwatchFallbackTest, AWrapBetweenStartAndReadGivesTheTrueDifference) {
  RWMStopwatch watch;
  watch.start();
  NUVOsAdvanceTickCount(0x200);  // 512 ms, through the wrap
  EXPECT_EQ(GetTickCount(), 0x100u);
  EXPECT_DOUBLE_EQ(watch.read(), 0.512);
  EXPECT_EQ(watch.readMicro(), 512000);
  watch.stop();
  NUVOsAdvanceTickCount(1000);
  EXPECT_DOUBLE_EQ(watch.read(), 0.512);
  EXPECT_EQ(watch.readMicro(), 512000);
}

TEST_F(RWMStopwatchFallbackTest, NestedStartsAcrossTheWrap) {
  RWMStopwatch watch;
  watch.start();
  NUVOsAdvanceTickCount(200);
  watch.start();
  NUVOsAdvanceTickCount(100);  // the inner start lies 56 ms before the wrap
  EXPECT_EQ(watch.readMicro(), 100000);
  watch.reset();
  EXPECT_EQ(watch.readMicro(), 300000);
}

TEST_F(RWMStopwatchFallbackTest, EveryConstructionQueriesTheCounterAgain) {
  { RWMStopwatch onTickCount; }
  ASSERT_EQ(RWMStopwatch::GetResolutionMicro(), 1000);
  ASSERT_DOUBLE_EQ(RWMStopwatch::GetResolution(), 0.001);
  NUVOsForcePerformanceCounterFailure(0);
  NUVOsSetPerformanceFrequency(500000);
  RWMStopwatch onCounter;
  EXPECT_EQ(RWMStopwatch::GetResolutionMicro(), 2);
  onCounter.start();
  Advance(250000);
  EXPECT_DOUBLE_EQ(onCounter.read(), 0.5) << "timestamps come from the counter again";
}

TEST_F(RWMStopwatchTest, RealClockRunsForward) {
  NUVOsSetFakePerformanceCounter(0, 0);
  RWMStopwatch watch;
  watch.start();
  double first = watch.read();
  double later = watch.read();
  EXPECT_GE(first, 0.0);
  EXPECT_GE(later, first);
  EXPECT_LT(later, 60.0);
}

}  // namespace
