// The draw-or-continue message against headless windows, through the real
// event loop: it continues only after every watched window swapped.
#include <gtest/gtest.h>

#include "CountingMessage.h"
#include "FrameTestScene.h"
#include "LoopFixture.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVMouseDevice.h"
#include "NUVSimDrawOrContinueMessage.h"
#include "NUVSimMessageQueue.h"
#include "NUVViewer.h"

namespace {

class DrawOrContinue : public LoopFixture {
 protected:
  void SetUp() override {
    LoopFixture::SetUp();
    CountingMessage::Log().clear();
    CountingMessage::Live() = 0;
    scene = std::make_unique<FrameTestScene>();
    next = new CountingMessage("next");
  }
  void TearDown() override {
    if (draw) {
      draw->RemoveDisplayCallbacks();
      draw->Release();
    }
    next->Release();
    scene.reset();
    LoopFixture::TearDown();
    EXPECT_EQ(CountingMessage::Live(), 0) << "the next message was released by everyone";
  }
  NUVSimDrawOrContinueMessage* MakeDraw() {
    draw = new NUVSimDrawOrContinueMessage(scene->Layout(), scene->Editor(), next);
    return draw;
  }
  // Runs turns until the draw message has executed once (it is off the queue).
  void RunDraw() { RunUntil([&] { return NUVSimMessageQueue::GetInstance()->Size() == 0; }); }

  std::unique_ptr<FrameTestScene> scene;
  CountingMessage* next = nullptr;
  NUVSimDrawOrContinueMessage* draw = nullptr;
};

}  // namespace

TEST_F(DrawOrContinue, HoldsItsNextMessageAndPostsOnlyOnce) {
  EXPECT_EQ(next->GetRefCount(), 1u);
  MakeDraw();
  EXPECT_EQ(next->GetRefCount(), 2u) << "the message holds its next message";
  draw->Post();
  draw->Post();
  EXPECT_EQ(NUVSimMessageQueue::GetInstance()->Size(), 1) << "a posted message is not queued again";
}

TEST_F(DrawOrContinue, DrawableStepContinuesOnlyAfterBothWindowsSwapped) {
  NUVFrmWindow* w1 = scene->Add3DWindow();
  NUVFrmWindow* w2 = scene->Add3DWindow();
  MakeDraw();
  draw->SetDrawable(1);
  draw->Post();
  RunDraw();
  EXPECT_EQ(w1->GetViewer()->GetDrawCount(), 1);
  EXPECT_EQ(w2->GetViewer()->GetDrawCount(), 1);
  EXPECT_TRUE(draw->IsPosted()) << "waiting for the swaps";
  EXPECT_EQ(draw->GetExpected(), 2);
  EXPECT_FALSE(draw->GetDrawable());

  w1->GetViewer()->DeliverSwap();
  EXPECT_EQ(draw->GetReceived(), 1);
  EXPECT_FALSE(next->IsPosted()) << "one swap of two is not enough";
  w1->GetViewer()->DeliverSwap();  // a second swap of the same window counts too
  EXPECT_TRUE(next->IsPosted());
  EXPECT_FALSE(draw->IsPosted());
  EXPECT_EQ(draw->GetExpected(), 0);
  EXPECT_EQ(draw->GetReceived(), 0);
  EXPECT_FALSE(draw->CallbacksInstalled());
  RunUntil([&] { return next->executions == 1; });
  EXPECT_EQ(next->executions, 1);
}

TEST_F(DrawOrContinue, SwapsReportedByTheLoopContinuePlay) {
  NUVViewer::EnableAutomaticSwaps(1);
  scene->Add3DWindow();
  scene->Add3DWindow();
  MakeDraw();
  draw->SetDrawable(1);
  draw->Post();
  app->RunOneTurn(0);  // executes and draws; swaps come on a later turn
  EXPECT_TRUE(draw->IsPosted());
  EXPECT_FALSE(next->IsPosted());
  RunUntil([&] { return next->executions == 1; }, 50);
  EXPECT_EQ(next->executions, 1);
}

TEST_F(DrawOrContinue, StepNotToBeDrawnContinuesAtOnce) {
  NUVFrmWindow* w = scene->Add3DWindow();
  MakeDraw();
  draw->Post();
  app->RunOneTurn(0);
  EXPECT_FALSE(draw->IsPosted());
  EXPECT_TRUE(next->IsPosted());
  EXPECT_EQ(w->GetViewer()->GetDrawCount(), 0);
}

TEST_F(DrawOrContinue, DrawableWithoutAny3DWindowGoesIdleWithoutContinuing) {
  scene->Add2DWindow();
  MakeDraw();
  draw->SetDrawable(1);
  draw->Post();
  RunDraw();
  EXPECT_FALSE(draw->IsPosted()) << "nothing to wait for";
  EXPECT_FALSE(next->IsPosted()) << "nothing is continued in that execution";
  EXPECT_FALSE(draw->CallbacksInstalled());
}

TEST_F(DrawOrContinue, SwapsWhileIdleOrAfterRemovalChangeNothing) {
  NUVFrmWindow* w = scene->Add3DWindow();
  MakeDraw();
  w->GetViewer()->DeliverSwap();
  EXPECT_EQ(draw->GetReceived(), 0);
  draw->SetDrawable(1);
  draw->Post();
  RunDraw();
  draw->RemoveDisplayCallbacks();
  w->GetViewer()->DeliverSwap();
  EXPECT_EQ(draw->GetReceived(), 0);
  EXPECT_FALSE(next->IsPosted());
}

TEST_F(DrawOrContinue, DeletedWatchedWindowLowersTheExpectedCount) {
  NUVFrmEditor* other = scene->AddEditor();
  NUVFrmWindow* w1 = scene->Add3DWindow();
  NUVFrmWindow* w2 = scene->Add3DWindow();
  NUVFrmWindow* foreign = scene->Add3DWindow(other);
  NUVFrmWindow* flat = scene->Add2DWindow();
  MakeDraw();
  draw->SetDrawable(1);
  draw->Post();
  RunDraw();
  ASSERT_EQ(draw->GetExpected(), 2);
  scene->Layout()->DeleteWindow(foreign);
  scene->Layout()->DeleteWindow(flat);
  EXPECT_EQ(draw->GetExpected(), 2) << "windows of another editor or not 3D are not watched";
  w1->AddRef();
  scene->Layout()->DeleteWindow(w1);
  EXPECT_EQ(draw->GetExpected(), 1);
  w1->GetViewer()->DeliverSwap();
  EXPECT_EQ(draw->GetReceived(), 0) << "the deleted window's swap is no longer watched";
  w1->Release();
  w2->GetViewer()->DeliverSwap();
  EXPECT_TRUE(next->IsPosted()) << "the remaining window's swap completes the wait";
}

TEST_F(DrawOrContinue, FlushDrawsAndLeavesIdleWithoutContinuing) {
  NUVFrmWindow* w = scene->Add3DWindow();
  MakeDraw();
  draw->SetDrawable(1);
  draw->Post();
  NUVSimMessageQueue::GetInstance()->EmptyQueue();
  EXPECT_FALSE(draw->IsPosted());
  EXPECT_FALSE(draw->GetDrawable());
  EXPECT_FALSE(next->IsPosted());
  EXPECT_EQ(w->GetViewer()->GetDrawCount(), 1);
  EXPECT_FALSE(draw->CallbacksInstalled());
}

TEST_F(DrawOrContinue, MouseDeviceFollowsTheCursorUnlessAButtonIsHeld) {
  NUVFrmWindow* w = scene->Add3DWindow();
  scene->Layout()->SetCurrentWindow(w);
  NUVMouseDevice& mouse = w->GetViewer()->GetMouseDevice();
  mouse.SetMousePosition(12, 34);
  MakeDraw();
  draw->Post();
  app->RunOneTurn(0);
  EXPECT_EQ(mouse.GetEventPointCount(), 1);
  EXPECT_FLOAT_EQ(mouse.GetCurrentEventX(), 12.0f);
  EXPECT_FLOAT_EQ(mouse.GetCurrentEventY(), 34.0f);
  EXPECT_EQ(w->GetViewer()->GetPickRequestCount(), 1);
  EXPECT_EQ(mouse.GetElectionCount(), 1);

  RunUntil([&] { return next->executions == 1; });
  mouse.SetPressedButton(1);
  draw->Post();
  app->RunOneTurn(0);
  EXPECT_EQ(mouse.GetEventPointCount(), 1) << "a held button leaves the mouse alone";
  EXPECT_EQ(w->GetViewer()->GetPickRequestCount(), 1);
}

TEST_F(DrawOrContinue, OwnerReleasingDuringTheWaitIsSafe) {
  scene->Add3DWindow();
  NUVFrmWindow* w = scene->Add3DWindow();
  MakeDraw();
  draw->SetDrawable(1);
  draw->Post();
  RunDraw();
  draw->RemoveDisplayCallbacks();
  draw->Release();  // the owner lets go while the message waited
  draw = nullptr;
  w->GetViewer()->DeliverSwap();  // no callback reaches the destroyed message
  EXPECT_FALSE(next->IsPosted());
}
