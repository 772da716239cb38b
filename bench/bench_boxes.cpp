// Bounding boxes: BoundingBoxOverlap of two objects placed by the PLM state
// monitor in different positions (a turn and two translations), the box
// form as callers use it. The floor is the six face-axis tests alone on
// coefficients computed beforehand: what is left above it is the monitor's
// two look-ups, the two inverses, the product and the conversions.
#include <benchmark/benchmark.h>

#include <cmath>

#include "NUVGetPLMStateMonitor.h"
#include "NUVMathBox.h"
#include "NUVPLMStateMonitor.h"
#include "NUVSimVizServices.h"

namespace {

NUVMathTransformation Placement1() {
  return NUVMathTransformation::Rotation(NUVMathVector(0, 0, 1), 0.5) *
         NUVMathTransformation::Translation(NUVMathVector(10, 0, 0));
}
NUVMathTransformation Placement2() {
  return NUVMathTransformation::Translation(NUVMathVector(10.5, 1.2, 0.3));
}

void BM_Floor_FaceAxisTests(benchmark::State& state) {
  // Positions are inverse placements, so M = (inverse of position 1) *
  // position 2 = placement 1 * inverse of placement 2.
  NUVMathTransformation p2, n;
  Placement2().ComputeInverse(p2);
  const NUVMathTransformation m = Placement1() * p2;
  m.ComputeInverse(n);
  double a[12], b[12];
  m.GetCoef(a, 12);
  n.GetCoef(b, 12);
  double c1[3] = {0, 0, 0}, h1[3] = {2, 0.1, 0.1}, c2[3] = {0, 0, 0}, h2[3] = {0.2, 0.2, 0.2};
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(c1);
    int verdict = 1;
    for (int i = 0; i < 3 && verdict; ++i) {
      const double e = a[i] * c1[0] + a[3 + i] * c1[1] + a[6 + i] * c1[2] + a[9 + i];
      const double r = std::fabs(a[i] * h1[0]) + std::fabs(a[3 + i] * h1[1]) +
                       std::fabs(a[6 + i] * h1[2]) + h2[i];
      if (std::fabs(c2[i] - e) > r) verdict = 0;
    }
    for (int i = 0; i < 3 && verdict; ++i) {
      const double f = b[i] * c2[0] + b[3 + i] * c2[1] + b[6 + i] * c2[2] + b[9 + i];
      const double r = std::fabs(b[i] * h2[0]) + std::fabs(b[3 + i] * h2[1]) +
                       std::fabs(b[6 + i] * h2[2]) + h1[i];
      if (std::fabs(c1[i] - f) > r) verdict = 0;
    }
    benchmark::DoNotOptimize(verdict);
  }
}
BENCHMARK(BM_Floor_FaceAxisTests);

void BM_BoundingBoxOverlap_DifferentPositions(benchmark::State& state) {
  NUVPLMStateMonitor* monitor = NUVGetPLMStateMonitor::CreatePLMStateMonitor();
  NUVBaseUnknown_var o1(new NUVBaseUnknown), o2(new NUVBaseUnknown);
  o1->Release();
  o2->Release();
  monitor->SetPlacement(o1, Placement1());
  monitor->SetPlacement(o2, Placement2());
  NUVMathBox rod(NUVMathPoint(-2, -0.1, -0.1), NUVMathPoint(2, 0.1, 0.1));
  NUVMathBox cube(NUVMathPoint(-0.2, -0.2, -0.2), NUVMathPoint(0.2, 0.2, 0.2));
  unsigned char verdict = 0;
  for (auto _ : state) {
    verdict = NUVSimVizServices::BoundingBoxOverlap(o1, rod, o2, cube);
    benchmark::DoNotOptimize(verdict);
  }
  state.counters["overlap"] = verdict;
  NUVGetPLMStateMonitor::DestroyPLMStateMonitor();
}
BENCHMARK(BM_BoundingBoxOverlap_DifferentPositions);

}  // namespace
