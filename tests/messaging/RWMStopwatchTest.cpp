#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
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
    RWMStopwatch restore;  // the class-wide frequency of a fresh process
  }
  static void Advance(LONGLONG counts) { NUVOsAdvancePerformanceCounter(counts); }
};

// Every cell of the state table: from the state reached by `setup`, `action`
// leads to `depth` levels, the running flag and the reading, one second
// passing after each step.
struct Transition {
  const char* setup;  // S = start, T = stop, R = reset
  char action;
  int depth;
  bool running;
  double seconds;
};

void PrintTo(const Transition& row, std::ostream* out) { *out << row.setup << row.action; }

class RWMStopwatchStateTable : public RWMStopwatchTest,
                               public ::testing::WithParamInterface<Transition> {};

TEST_P(RWMStopwatchStateTable, ActionLeadsToTheExpectedStateAndReading) {
  const Transition& row = GetParam();
  RWMStopwatch watch;
  EXPECT_EQ(watch.read(), 0.0);
  for (char op : std::string(row.setup) + row.action) {
    if (op == 'S') watch.start();
    if (op == 'T') watch.stop();
    if (op == 'R') watch.reset();
    Advance(kSecond);
  }
  EXPECT_EQ(watch.depth(), row.depth);
  EXPECT_EQ(watch.isRunning(), row.running);
  EXPECT_DOUBLE_EQ(watch.read(), row.seconds);
  EXPECT_EQ(watch.readMicro(), static_cast<long long>(row.seconds * 1e6));
}

INSTANTIATE_TEST_SUITE_P(
    AllStates, RWMStopwatchStateTable,
    ::testing::Values(Transition{"", 'S', 1, true, 1}, Transition{"", 'T', 0, false, 0},
                      Transition{"", 'R', 0, false, 0}, Transition{"S", 'S', 2, true, 1},
                      Transition{"S", 'T', 1, false, 1}, Transition{"S", 'R', 0, false, 0},
                      Transition{"SS", 'R', 1, true, 3}, Transition{"ST", 'S', 1, true, 1},
                      Transition{"ST", 'T', 1, false, 1}, Transition{"ST", 'R', 0, false, 0},
                      Transition{"SST", 'S', 2, true, 1}, Transition{"SST", 'R', 1, true, 4},
                      Transition{"SSTS", 'R', 1, true, 5}, Transition{"TR", 'S', 1, true, 1}));

TEST_F(RWMStopwatchTest, MicrosecondsTruncateTowardZeroAtAnyFrequency) {
  struct Case {
    LONGLONG frequency, counts;
    long long micro;  // readMicro after `counts`, truncated toward zero
    int resolutionMicro;
  };
  for (Case c : {Case{1000000000, 1999, 1, 0}, Case{1000000000, 2000, 2, 0},
                 Case{3, 7, 2333333, 333333}, Case{1000001, 1, 0, 0},
                 Case{1000000, 1, 1, 1}, Case{999999, 1, 1, 1}, Case{1, 1, 1000000, 1000000}}) {
    NUVOsSetPerformanceFrequency(c.frequency);
    RWMStopwatch watch;
    watch.start();
    Advance(c.counts);
    EXPECT_EQ(watch.readMicro(), c.micro) << c.frequency;
    EXPECT_EQ(RWMStopwatch::GetResolutionMicro(), c.resolutionMicro) << c.frequency;
  }
}

// Once chosen, the tick-count fallback lasts for the process, so each case
// runs in a child process, which prints its readings; the parameter says
// whether the counter is lost by a failed query or by a negative frequency.
class RWMStopwatchFallback : public RWMStopwatchTest,
                             public ::testing::WithParamInterface<bool> {};

void ReadAfterTheCounterComesBack(bool queryFails) {
  if (queryFails) NUVOsForcePerformanceCounterFailure(1);
  if (!queryFails) NUVOsSetPerformanceFrequency(-5);
  NUVOsSetFakeTickCount(1, 0xFFFFFF00u);  // 256 ms before the wrap
  RWMStopwatch watch;
  watch.start();
  NUVOsAdvanceTickCount(200);
  watch.start();  // 56 ms before the wrap
  NUVOsForcePerformanceCounterFailure(0);
  NUVOsSetPerformanceFrequency(0);
  RWMStopwatch later;  // the counter works again: this must not switch back
  NUVOsAdvanceTickCount(100);  // through the wrap
  const long long inner = watch.readMicro();
  watch.stop();
  NUVOsAdvanceTickCount(1000);
  watch.reset();
  later.start();
  NUVOsAdvanceTickCount(512);
  std::fprintf(stderr, "resolution %g %d, inner %lld, outer %g, later %g",
               RWMStopwatch::GetResolution(), RWMStopwatch::GetResolutionMicro(), inner,
               watch.read(), later.read());
  std::exit(0);
}

TEST_P(RWMStopwatchFallback, TickCountStaysChosenAndReadsAcrossItsWrap) {
  EXPECT_EXIT(ReadAfterTheCounterComesBack(GetParam()), ::testing::ExitedWithCode(0),
              "^resolution 0\\.001 1000, inner 100000, outer 1\\.812, later 0\\.512$");
}

INSTANTIATE_TEST_SUITE_P(QueryFailsOrFrequencyNegative, RWMStopwatchFallback, ::testing::Bool());

}  // namespace
