#include <gtest/gtest.h>

#include "NUVSimKeyFrameController.h"
#include "NUVSimMovingObjectAgent.h"
#include "NUVSimNegociatedTimeController.h"

namespace {

struct Position {
  double x, y, z;
};

Position Where(const NUVSimMovingObjectAgent* mover) {
  Position p{};
  mover->GetPosition(p.x, p.y, p.z);
  return p;
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

TEST(SimMovingObjectAgent, NegotiatedTimePlayStopsOnEveryWayPoint) {
  NUVSimMovingObjectAgent* mover = MakeMover();
  EXPECT_EQ(mover->CountWayPoints(), 3);
  unsigned long refs = mover->GetRefCount();
  auto* controller = new NUVSimNegociatedTimeController;
  controller->SetStartEnd(0.0, 3.0);
  controller->SetDefaultStep(0.5);
  {
    NUVISimAgentNegociatedTime_var agent(mover);
    controller->SetControlledAgent(agent);
  }
  std::vector<double> values;
  std::vector<Position> positions;
  unsigned char more = 1;
  while ((controller->CanContinue(more), more) && values.size() < 20) {
    controller->Iterate();
    values.push_back(mover->GetCurrent().GetValue());
    positions.push_back(Where(mover));
  }
  EXPECT_EQ(values, (std::vector<double>{0.0, 0.5, 2.0, 2.5, 3.0}))
      << "way points are proposed, then the default step takes over";
  EXPECT_DOUBLE_EQ(positions[1].x, 1.0);
  EXPECT_DOUBLE_EQ(positions[2].y, 3.0);
  EXPECT_DOUBLE_EQ(positions[4].y, 3.0) << "held after the last way point";
  EXPECT_EQ(mover->GetStepCount(), 5);

  NUVISimAgentNegociatedTime_var none;
  controller->SetControlledAgent(none);
  EXPECT_EQ(mover->GetRefCount(), refs);
  controller->Release();
  mover->Release();
}

TEST(SimMovingObjectAgent, KeyFramePlayInterpolatesBetweenWayPoints) {
  NUVSimMovingObjectAgent* mover = MakeMover();
  auto* controller = new NUVSimKeyFrameController;
  controller->SetKeyFrames(0.0, 1.25, 0.25);
  NUVISimAgentKeyFrame_var agent(mover);
  controller->SetControlledAgent(agent);
  while (controller->Iterate() == S_OK) {
  }
  EXPECT_EQ(mover->GetCurrent(), NUVSimValue(1.25));
  Position p = Where(mover);
  EXPECT_DOUBLE_EQ(p.x, 1.0);
  EXPECT_DOUBLE_EQ(p.y, 1.5) << "halfway from 0.5 to 2.0";
  EXPECT_EQ(mover->GetStepCount(), 6);

  // Both interfaces lead to the same agent, and each to its own TIE.
  NUVISimAgentNegociatedTime_var other(agent);
  ASSERT_TRUE(!!other);
  EXPECT_EQ(other->GetImpl(), agent->GetImpl());
  EXPECT_EQ(agent->GetImpl(), mover);
  NUVISimControllerKeyFrame_var held;
  agent->GetSimulationController(held);
  EXPECT_TRUE(held == NUVISimControllerKeyFrame_var(controller));
  held = nullptr;

  NUVISimAgentKeyFrame_var none;
  controller->SetControlledAgent(none);
  controller->Release();
  other = nullptr;
  agent = nullptr;
  EXPECT_EQ(mover->GetRefCount(), 1u);
  mover->Release();
}

TEST(SimMovingObjectAgent, ValuesAreIgnoredWhileComputingTheNextIteration) {
  NUVSimMovingObjectAgent* mover = MakeMover();
  mover->SetCurrentSimValue(0.5);
  mover->ComputeNextIteration(1);
  mover->SetCurrentSimValue(2.0);
  EXPECT_EQ(mover->GetCurrent(), NUVSimValue(0.5));
  mover->Commit();
  mover->SetCurrentSimValue(2.0);
  EXPECT_EQ(mover->GetCurrent(), NUVSimValue(2.0));
  NUVSimValue next;
  mover->GetNextProposedValue(next);
  EXPECT_EQ(next, NUVSimValue(-1.0)) << "no way point left";
  mover->Release();
}
