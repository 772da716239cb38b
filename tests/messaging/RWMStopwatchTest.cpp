#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
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
    RWMStopwatch restore;  // the class-wide frequency of a fresh process
  }
  static void Advance(LONGLONG counts) { NUVOsAdvancePerformanceCounter(counts); }
};

TEST_F(RWMStopwatchTest, ReadsMeasureFromTheInnermostStartUpToNowOrTheStop) {
  RWMStopwatch watch;
  EXPECT_EQ(watch.read(), 0.0);
  EXPECT_EQ(watch.readMicro(), 0);
  watch.start();
  Advance(kSecond);
  watch.start();
  Advance(2 * kSecond);
  EXPECT_DOUBLE_EQ(watch.read(), 2.0) << "from the inner start";
  watch.stop();
  Advance(5 * kSecond);
  watch.stop();  // already stopped: the stop time does not move
  EXPECT_DOUBLE_EQ(watch.read(), 2.0);
  EXPECT_EQ(watch.readMicro(), 2000000);
  watch.reset();
  EXPECT_TRUE(watch.isRunning()) << "popping the stopped level runs the outer one";
  EXPECT_DOUBLE_EQ(watch.read(), 8.0);

  watch.start();
  Advance(kSecond);
  watch.stop();
  Advance(3 * kSecond);
  watch.start();  // replaces the stopped level
  EXPECT_EQ(watch.depth(), 2);
  Advance(kSecond / 4);
  EXPECT_DOUBLE_EQ(watch.read(), 0.25);
  watch.reset();
  EXPECT_DOUBLE_EQ(watch.read(), 12.25) << "the outer start is untouched";
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
                      Transition{"SST", 'S', 2, true}, Transition{"SST", 'R', 1, true},
                      Transition{"TR", 'S', 1, true}),
    [](const ::testing::TestParamInfo<Transition>& info) {
      return std::string(*info.param.setup ? info.param.setup : "Idle") + "_" +
             info.param.action;
    });

TEST_F(RWMStopwatchTest, CopyOwnsItsOwnTimestamps) {
  auto original = std::make_unique<RWMStopwatch>();
  original->start();
  Advance(kSecond);
  original->start();
  original->stop();
  RWMStopwatch copy(*original);
  RWMStopwatch assigned;
  assigned.start();
  assigned = *original;
  original.reset();  // frees the original's cells; the copies must not use them
  RWMStopwatch& alias = assigned;
  assigned = alias;  // self-assignment keeps the timestamps
  for (RWMStopwatch* watch : {&copy, &assigned}) {
    EXPECT_EQ(watch->depth(), 2);
    EXPECT_FALSE(watch->isRunning());
    watch->reset();
    EXPECT_DOUBLE_EQ(watch->read(), 1.0);
  }
}

TEST_F(RWMStopwatchTest, ReadingsAndResolutionFollowTheCounterFrequency) {
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
    const double f = static_cast<double>(c.frequency);
    EXPECT_DOUBLE_EQ(watch.read(), static_cast<double>(c.counts) / f) << c.frequency;
    EXPECT_EQ(watch.readMicro(), c.micro) << c.frequency;
    EXPECT_EQ(RWMStopwatch::GetResolutionMicro(), c.resolutionMicro) << c.frequency;
    EXPECT_DOUBLE_EQ(RWMStopwatch::GetResolution(), 1.0 / f) << c.frequency;
  }
}

// Once chosen, the tick-count fallback lasts for the process, so each case
// runs in a child process; the parameter says whether the counter is lost by
// a failed query or by a negative frequency.
class RWMStopwatchFallback : public RWMStopwatchTest,
                             public ::testing::WithParamInterface<bool> {};

bool Check(bool ok, const char* what, double got) {
  if (!ok) std::fprintf(stderr, "%s: got %.9g\n", what, got);  // shown by EXPECT_EXIT
  return ok;
}

bool TickCountStaysChosen(bool queryFails) {
  if (queryFails) NUVOsForcePerformanceCounterFailure(1);
  if (!queryFails) NUVOsSetPerformanceFrequency(-5);
  NUVOsSetFakeTickCount(1, 0xFFFFFF00u);  // 256 ms before the wrap
  RWMStopwatch watch;
  watch.start();
  NUVOsAdvanceTickCount(200);
  watch.start();  // 56 ms before the wrap
  // The counter works again: a later construction must not switch back.
  NUVOsForcePerformanceCounterFailure(0);
  NUVOsSetPerformanceFrequency(0);
  RWMStopwatch later;
  bool ok = Check(RWMStopwatch::GetResolution() == 0.001, "resolution after a good query",
                  RWMStopwatch::GetResolution());
  ok &= Check(RWMStopwatch::GetResolutionMicro() == 1000, "resolution in microseconds",
              RWMStopwatch::GetResolutionMicro());
  NUVOsAdvanceTickCount(100);  // through the wrap
  ok &= Check(watch.readMicro() == 100000, "inner level across the wrap",
              static_cast<double>(watch.readMicro()));
  watch.stop();
  NUVOsAdvanceTickCount(1000);
  watch.reset();
  ok &= Check(watch.read() == 1.3, "outer level, running again", watch.read());
  later.start();
  NUVOsAdvanceTickCount(512);
  return ok & Check(later.read() == 0.512, "a stopwatch made after the good query", later.read());
}

TEST_P(RWMStopwatchFallback, TickCountStaysChosenAndReadsAcrossItsWrap) {
  const bool queryFails = GetParam();
  EXPECT_EXIT(std::exit(TickCountStaysChosen(queryFails) ? 0 : 1), ::testing::ExitedWithCode(0),
              "");
}

INSTANTIATE_TEST_SUITE_P(QueryFailsOrFrequencyNegative, RWMStopwatchFallback, ::testing::Bool());

}  // namespace
