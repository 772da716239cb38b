// Costs of the polls and clock reads made inside the simulation's computing
// loops, each beside the bare operating-system call it is built on.
#include <benchmark/benchmark.h>

#include "NUVOsCalls.h"
#include "NUVOsTestHooks.h"
#include "NUVSimVizServices.h"
#include "RWMStopwatch.h"

namespace {

// Floor of the input poll: one peek of an empty queue.
void BM_PeekMessageEmptyQueue(benchmark::State& state) {
  NUVOsResetEmulation();
  MSG message;
  for (auto _ : state) {
    benchmark::DoNotOptimize(PeekMessageW(&message, nullptr, WM_LBUTTONDOWN, WM_MOUSEHWHEEL,
                                          PM_NOREMOVE));
  }
}
BENCHMARK(BM_PeekMessageEmptyQueue);

void BM_MouseButtonOrKeyPressedEmptyQueue(benchmark::State& state) {
  NUVOsResetEmulation();
  for (auto _ : state) benchmark::DoNotOptimize(NUVSimVizServices::MouseButtonOrKeyPressed());
}
BENCHMARK(BM_MouseButtonOrKeyPressedEmptyQueue);

// A queue holding only mouse moves, as while the user moves the pointer over
// the viewer during a computation: every peek scans them.
void BM_MouseButtonOrKeyPressedMovesOnly(benchmark::State& state) {
  NUVOsResetEmulation();
  for (int i = 0; i < state.range(0); ++i) NUVOsPostInputMessage(WM_MOUSEMOVE, 0, 0);
  for (auto _ : state) benchmark::DoNotOptimize(NUVSimVizServices::MouseButtonOrKeyPressed());
  NUVOsResetEmulation();
}
BENCHMARK(BM_MouseButtonOrKeyPressedMovesOnly)->Arg(1)->Arg(16);

// Floor of the stopwatch: one read of the performance counter.
void BM_QueryPerformanceCounter(benchmark::State& state) {
  NUVOsResetEmulation();
  LARGE_INTEGER now;
  for (auto _ : state) {
    QueryPerformanceCounter(&now);
    benchmark::DoNotOptimize(now.QuadPart);
  }
}
BENCHMARK(BM_QueryPerformanceCounter);

void BM_StopwatchReadRunning(benchmark::State& state) {
  NUVOsResetEmulation();
  RWMStopwatch watch;
  watch.start();
  for (auto _ : state) benchmark::DoNotOptimize(watch.read());
}
BENCHMARK(BM_StopwatchReadRunning);

void BM_StopwatchReadMicroRunning(benchmark::State& state) {
  NUVOsResetEmulation();
  RWMStopwatch watch;
  watch.start();
  for (auto _ : state) benchmark::DoNotOptimize(watch.readMicro());
}
BENCHMARK(BM_StopwatchReadMicroRunning);

// A stopped stopwatch reads no clock at all.
void BM_StopwatchReadStopped(benchmark::State& state) {
  NUVOsResetEmulation();
  RWMStopwatch watch;
  watch.start();
  watch.stop();
  for (auto _ : state) benchmark::DoNotOptimize(watch.read());
}
BENCHMARK(BM_StopwatchReadStopped);

}  // namespace
