// The compute message against scripted controllers.
#include <gtest/gtest.h>

#include "FakeControllers.h"
#include "FrameTestScene.h"
#include "LoopFixture.h"
#include "NUV3DViewpoint.h"
#include "NUVFrmWindow.h"
#include "NUVOsCalls.h"
#include "NUVOsTestHooks.h"
#include "NUVSimComputeMessage.h"
#include "NUVSimMessageQueue.h"
#include "NUVViewer.h"

namespace {

class ComputeMessage : public LoopFixture {
 protected:
  void SetUp() override {
    LoopFixture::SetUp();
    FakeKeyFrameController::Live() = 0;
    FakeNegociatedTimeController::Live() = 0;
    kf = new FakeKeyFrameController;
    nt = new FakeNegociatedTimeController;
  }
  void TearDown() override {
    kf->Release();
    nt->Release();
    LoopFixture::TearDown();
    EXPECT_EQ(FakeKeyFrameController::Live(), 0) << "messages gave their controller back";
    EXPECT_EQ(FakeNegociatedTimeController::Live(), 0);
  }
  NUVSimComputeMessage* KeyFrameMessage() {
    return new NUVSimComputeMessage(NUVISimControllerKeyFrame_var(kf));
  }
  NUVSimComputeMessage* TimeMessage() {
    return new NUVSimComputeMessage(NUVISimControllerNegociatedTime_var(nt));
  }
  FakeKeyFrameController* kf = nullptr;
  FakeNegociatedTimeController* nt = nullptr;
};

}  // namespace

TEST_F(ComputeMessage, PostAsksTheControllerOnceUnlessForcedAndPostsNothingWhenPlayIsOver) {
  NUVSimComputeMessage* m = KeyFrameMessage();
  kf->canContinue = 0;
  m->Post();
  EXPECT_FALSE(m->IsPosted());
  EXPECT_EQ(NUVSimMessageQueue::GetInstance()->Size(), 0);
  m->ForcePost();
  EXPECT_FALSE(m->IsPosted()) << "ForcePost posts nothing by itself";
  m->Post();
  EXPECT_TRUE(m->IsPosted());
  EXPECT_FALSE(m->IsForced());
  m->Post();
  EXPECT_EQ(kf->continueQueries, 1) << "neither a forced nor a posted message asks";
  EXPECT_EQ(NUVSimMessageQueue::GetInstance()->Size(), 1);
  RunUntil([&] { return !m->IsPosted(); });
  m->Post();
  EXPECT_FALSE(m->IsPosted()) << "the next Post asks again";

  kf->canContinue = 1;
  m->Post();
  m->ForcePost();
  m->Post();  // ignored: already posted
  EXPECT_TRUE(m->IsForced());
  RunUntil([&] { return !m->IsPosted(); });
  kf->canContinue = 0;
  m->Post();
  EXPECT_TRUE(m->IsPosted()) << "the first Post on the idle message consumes the flag";
  m->Release();
}

TEST_F(ComputeMessage, KeyFrameExecutionIteratesOnceAndStopsAnimationAtTheEnd) {
  FrameTestScene scene;
  NUVFrmWindow* w = scene.Add3DWindow();
  NUV3DViewpoint* viewpoint = w->GetViewer()->GetMain3DViewpoint();
  viewpoint->SetAnimationState(1);
  NUVSimComputeMessage* m = KeyFrameMessage();
  m->Post();
  app->RunOneTurn(0);
  EXPECT_EQ(kf->iterations, 1);
  EXPECT_EQ(viewpoint->GetStopCount(), 0);
  kf->canContinue = 0;
  m->ForcePost();
  m->Post();
  app->RunOneTurn(0);
  EXPECT_EQ(kf->iterations, 2) << "a finished controller still iterates once";
  EXPECT_EQ(viewpoint->GetStopCount(), 1) << "the end of play stops the animation";
  EXPECT_FALSE(m->IsPosted());
  m->Release();
}

TEST_F(ComputeMessage, NegociatedTimeRunLengths) {
  NUVSimComputeMessage* m = TimeMessage();
  m->Post();
  NUVSimMessageQueue::GetInstance()->EmptyQueue();
  EXPECT_EQ(nt->iterations, 0) << "a flushed message never calls the controller";
  EXPECT_FALSE(m->IsPosted());
  auto runOnce = [&] {
    int before = nt->iterations;
    m->Execute(0);
    return nt->iterations - before;
  };
  nt->finishAfter = 1;
  EXPECT_EQ(runOnce(), 1) << "finished after each iteration";
  nt->finishAfter = 0;
  EXPECT_EQ(runOnce(), 1000) << "never finished: capped at 1000";
  nt->statusAt = nt->iterations + 5;
  nt->statusValue = 200;
  EXPECT_EQ(runOnce(), 5) << "status 200 ends the run";
  nt->statusAt = nt->iterations + 5;
  nt->statusValue = 150;
  EXPECT_EQ(runOnce(), 1000) << "150 is no multiple of 100";
  nt->continueUntil = nt->iterations + 3;
  EXPECT_EQ(runOnce(), 3) << "play over ends the run";
  EXPECT_FALSE(m->IsPosted());
  m->Release();
}

TEST_F(ComputeMessage, UserInputEndsANegociatedTimeRun) {
  NUVOsClearInputQueue();
  NUVSimComputeMessage* m = TimeMessage();
  nt->onIterate = [&] {
    if (nt->iterations == 4) NUVOsPostInputMessage(WM_KEYDOWN, 0, 0);
  };
  m->Execute(0);
  EXPECT_EQ(nt->iterations, 4);
  NUVOsClearInputQueue();
  m->Release();
}

TEST_F(ComputeMessage, ControllerReleasingTheLastReferenceDuringAnIterationIsSafe) {
  NUVSimComputeMessage* m = KeyFrameMessage();
  EXPECT_EQ(kf->GetRefCount(), 2u) << "the message holds its controller";
  kf->onIterate = [&] { m->Release(); };  // the creator's only reference
  m->Post();
  RunUntil([&] { return kf->iterations == 1; });
  EXPECT_EQ(kf->iterations, 1);
  EXPECT_EQ(kf->GetRefCount(), 1u) << "the message went and gave its controller back";
}
