#include <gtest/gtest.h>

#include "NUVSimKeyFrameController.h"
#include "NUVSimMovingObjectAgent.h"
#include "NUVSimNegociatedTimeController.h"

namespace {

double X(NUVSimMovingObjectAgent* mover, double* y = nullptr) {
  double x, yy, z;
  mover->GetPosition(x, yy, z);
  if (y) *y = yy;
  return x;
}

NUVSimMovingObjectAgent* MakeMover() {
  auto* mover = new NUVSimMovingObjectAgent("Cube");
  mover->AddWayPoint(2.0, 1, 3, 0);
  mover->AddWayPoint(0.0, 0, 0, 0);
  mover->AddWayPoint(0.5, 9, 9, 9);
  mover->AddWayPoint(0.5, 1, 0, 0);  // moves the way point at 0.5
  return mover;
}

}  // namespace

TEST(SimMovingObjectAgent, NegotiatedTimePlayStopsOnEveryWayPointAndLetsGoOfTheController) {
  NUVSimMovingObjectAgent* mover = MakeMover();
  EXPECT_EQ(mover->CountWayPoints(), 3);
  auto* controller = new NUVSimNegociatedTimeController;
  controller->SetStartEnd(0.0, 3.0);
  controller->SetDefaultStep(0.5);
  NUVISimAgentNegociatedTime_var agent(mover);
  controller->SetControlledAgent(agent);
  std::vector<double> values, ys;
  unsigned char more = 1;
  while ((controller->CanContinue(more), more) && values.size() < 20) {
    controller->Iterate();
    values.push_back(mover->GetCurrent().GetValue());
    ys.push_back(0);
    X(mover, &ys.back());
  }
  EXPECT_EQ(values, (std::vector<double>{0.0, 0.5, 2.0, 2.5, 3.0}))
      << "way points are proposed, then the default step takes over";
  EXPECT_EQ(ys, (std::vector<double>{0, 0, 3, 3, 3})) << "held after the last way point";
  EXPECT_EQ(mover->GetStepCount(), 5);
  NUVISimAgentNegociatedTime_var none;
  controller->SetControlledAgent(none);
  controller->Release();
  agent = nullptr;
  EXPECT_EQ(mover->GetRefCount(), 1u) << "no reference left behind, TIEs included";
  mover->Release();
}

TEST(SimMovingObjectAgent, KeyFramePlayInterpolatesAndIgnoresLookAheadValues) {
  NUVSimMovingObjectAgent* mover = MakeMover();
  auto* controller = new NUVSimKeyFrameController;
  controller->SetKeyFrames(0.0, 1.25, 0.25);
  NUVISimAgentKeyFrame_var agent(mover);
  controller->SetControlledAgent(agent);
  while (controller->Iterate() == S_OK) {
  }
  double y;
  EXPECT_DOUBLE_EQ(X(mover, &y), 1.0);
  EXPECT_DOUBLE_EQ(y, 1.5) << "halfway from 0.5 to 2.0";
  EXPECT_EQ(mover->GetStepCount(), 6);
  NUVISimAgentKeyFrame_var none;
  controller->SetControlledAgent(none);
  controller->Release();
  mover->ComputeNextIteration(1);
  mover->SetCurrentSimValue(2.0);
  EXPECT_EQ(mover->GetCurrent(), NUVSimValue(1.25)) << "a look-ahead value is not the step's";
  mover->Commit();
  mover->SetCurrentSimValue(2.0);
  EXPECT_EQ(mover->GetCurrent(), NUVSimValue(2.0));
  mover->Release();
}

TEST(SimMovingObjectAgent, AMillionWayPointsPlayInLinearTimeListedOrComputed) {
  auto* listed = new NUVSimMovingObjectAgent;
  auto* regular = new NUVSimMovingObjectAgent;
  const int n = 1000000;
  for (int k = 0; k < n; ++k) listed->AddWayPoint(NUVSimValue(0.25 * k), k, k % 2, 0);
  regular->SetRegularPath(0.25, 0.25 * (n - 1), 1, 0, 1, 0);
  EXPECT_EQ(listed->CountWayPoints(), n);
  EXPECT_EQ(regular->CountWayPoints(), n);
  int mismatches = 0;
  NUVSimValue at(0.0), next;
  for (int k = 0; k + 1 < n; ++k) {
    for (NUVSimMovingObjectAgent* mover : {listed, regular}) {
      mover->SetCurrentSimValue(at + NUVSimValue(0.125));
      mover->Compute();
      double y;
      mismatches += X(mover, &y) != k + 0.5 || y != 0.5;
      mover->SetCurrentSimValue(at);
      mover->GetNextProposedValue(next);
      mismatches += next != at + NUVSimValue(0.25);
    }
    at = next;
  }
  EXPECT_EQ(mismatches, 0);
  listed->SetCurrentSimValue(next);
  listed->GetNextProposedValue(next);
  EXPECT_EQ(next, NUVSimValue(-1.0)) << "no way point after the last";
  // Far beyond what an int counts in quarters: no overflow.
  regular->SetRegularPath(0.25, 1e12, 1, 0, 1, 0);
  regular->SetCurrentSimValue(6e11 + 0.125);
  regular->Compute();
  regular->GetNextProposedValue(next);
  EXPECT_EQ(next, NUVSimValue(6e11 + 0.25));
  EXPECT_DOUBLE_EQ(X(regular), 2.4e12 + 0.5);
  listed->Release();
  regular->Release();
}
