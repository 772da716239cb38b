// Costs of the simulated-value operations the redraw pacing runs at every
// step: comparison, accumulation and the step-count division. The floor
// benchmark measures the loop and the optimisation barriers alone.
#include <benchmark/benchmark.h>

#include <vector>

#include "NUVSimValue.h"

namespace {

std::vector<NUVSimValue> Operands() {
  std::vector<NUVSimValue> v;
  for (int i = 0; i < 64; ++i) v.push_back(NUVSimValue(0.05 * i - 1.0));
  return v;
}

void BM_Floor(benchmark::State& state) {
  std::vector<NUVSimValue> values = Operands();
  size_t i = 0;
  for (auto _ : state) {
    NUVSimValue a = values[i & 63];
    benchmark::DoNotOptimize(a);
    ++i;
  }
}
BENCHMARK(BM_Floor);

void BM_Compare(benchmark::State& state) {
  std::vector<NUVSimValue> values = Operands();
  size_t i = 0;
  for (auto _ : state) {
    bool less = values[i & 63] < values[(i + 7) & 63];
    benchmark::DoNotOptimize(less);
    ++i;
  }
}
BENCHMARK(BM_Compare);

void BM_AddAssign(benchmark::State& state) {
  NUVSimValue total, step(0.1);
  for (auto _ : state) {
    total += step;
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_AddAssign);

// The step count: a small difference divided by the pacing interval.
void BM_DivideAssignSmall(benchmark::State& state) {
  std::vector<NUVSimValue> values = Operands();
  NUVSimValue interval(0.1);
  size_t i = 0;
  for (auto _ : state) {
    NUVSimValue q = values[i & 63];
    q /= interval;
    benchmark::DoNotOptimize(q);
    ++i;
  }
}
BENCHMARK(BM_DivideAssignSmall);

// Large dividends take the 128-bit path.
void BM_DivideAssignLarge(benchmark::State& state) {
  NUVSimValue interval(0.1);
  NUVSimValue big(123456.789);
  for (auto _ : state) {
    NUVSimValue q = big;
    q /= interval;
    benchmark::DoNotOptimize(q);
  }
}
BENCHMARK(BM_DivideAssignLarge);

void BM_MultiplyAssign(benchmark::State& state) {
  NUVSimValue interval(0.1), count(37.0);
  for (auto _ : state) {
    NUVSimValue m = interval;
    m *= count;
    benchmark::DoNotOptimize(m);
  }
}
BENCHMARK(BM_MultiplyAssign);

}  // namespace
