#include <gtest/gtest.h>

#include "NUVSimKeyFrameController.h"
#include "NUVSimMovingObjectAgent.h"
#include "NUVSimNegociatedTimeController.h"

namespace {

double Y(NUVSimMovingObjectAgent* mover, double* x = nullptr) {
  double xx, y, z;
  mover->GetPosition(x ? *x : xx, y, z);
  return y;
}

}  // namespace

TEST(SimMovingObjectAgent, PlaysStopOnWayPointsInterpolateAndLetGoOfTheController) {
  for (bool negociatedTime : {true, false}) {
    auto* mover = new NUVSimMovingObjectAgent;
    mover->AddWayPoint(2.0, 1, 3, 0);
    mover->AddWayPoint(0.0, 0, 0, 0);
    mover->AddWayPoint(0.5, 9, 9, 9);
    mover->AddWayPoint(0.5, 1, 0, 0);  // moves the way point at 0.5
    EXPECT_EQ(mover->CountWayPoints(), 3);
    auto* nt = new NUVSimNegociatedTimeController;
    auto* kf = new NUVSimKeyFrameController;  // one of the two plays
    nt->SetStartEnd(0.0, 3.0), nt->SetDefaultStep(0.5);
    kf->SetKeyFrames(0.0, 1.25, 0.25);
    NUVISimAgentNegociatedTime_var ntAgent(mover), noNt;
    NUVISimAgentKeyFrame_var kfAgent(mover), noKf;
    if (negociatedTime) nt->SetControlledAgent(ntAgent); else kf->SetControlledAgent(kfAgent);
    std::vector<double> values, ys;
    unsigned char more = 1;
    while (values.size() < 20 &&
           (negociatedTime ? nt->CanContinue(more) : kf->CanContinue(more), more)) {
      negociatedTime ? nt->Iterate() : kf->Iterate();
      values.push_back(mover->GetCurrent().GetValue());
      ys.push_back(Y(mover));
    }
    if (negociatedTime) {
      EXPECT_EQ(values, (std::vector<double>{0.0, 0.5, 2.0, 2.5, 3.0}))
          << "way points are proposed, then the default step takes over";
      EXPECT_EQ(ys, (std::vector<double>{0, 0, 3, 3, 3})) << "held after the last way point";
    } else {
      EXPECT_EQ(values, (std::vector<double>{0.0, 0.25, 0.5, 0.75, 1.0, 1.25}));
      EXPECT_DOUBLE_EQ(ys.back(), 1.5) << "halfway from 0.5 to 2.0";
    }
    EXPECT_EQ(mover->GetStepCount(), negociatedTime ? 5 : 6);
    nt->SetControlledAgent(noNt);
    kf->SetControlledAgent(noKf);
    nt->Release(), kf->Release();
    ntAgent = nullptr, kfAgent = nullptr;
    EXPECT_EQ(mover->GetRefCount(), 1u) << "no reference left behind, TIEs included";
    mover->ComputeNextIteration(1);
    mover->SetCurrentSimValue(0.25);
    EXPECT_NE(mover->GetCurrent(), NUVSimValue(0.25)) << "a look-ahead value is not the step's";
    mover->Release();
  }
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
      double x;
      mismatches += Y(mover, &x) != 0.5 || x != k + 0.5;
      mover->SetCurrentSimValue(at);
      mover->GetNextProposedValue(next);
      mismatches += next != at + NUVSimValue(0.25);
    }
    at = next;
  }
  EXPECT_EQ(mismatches, 0);
  // Far beyond what an int counts in quarters: no overflow.
  regular->SetRegularPath(0.25, 1e12, 1, 0, 1, 0);
  regular->SetCurrentSimValue(6e11 + 0.125);
  regular->Compute();
  regular->GetNextProposedValue(next);
  EXPECT_EQ(next, NUVSimValue(6e11 + 0.25));
  listed->Release();
  regular->Release();
}
