// The draw-or-continue message against headless windows, through the real
// event loop: it continues only after every watched window swapped.
#include <gtest/gtest.h>

#include "FrameTestScene.h"
#include "LoopFixture.h"
#include "NUVCallbackManager.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVGraphicWindow.h"
#include "NUVMouseDevice.h"
#include "NUVSimDrawOrContinueMessage.h"
#include "NUVViewer.h"

namespace {

class DrawOrContinue : public LoopFixture {
 protected:
  void SetUp() override {
    LoopFixture::SetUp();
    scene = std::make_unique<FrameTestScene>();
    next = new CountingMessage("next");
  }
  void TearDown() override {
    ReleaseDraw(&draw);
    next->Release();
    scene.reset();
    LoopFixture::TearDown();
  }
  // What the owner does: callbacks off, then its reference back.
  static void ReleaseDraw(NUVSimDrawOrContinueMessage** owner) {
    if (!*owner) return;
    (*owner)->RemoveDisplayCallbacks();
    (*owner)->Release();
    *owner = nullptr;
  }
  void PostDraw(unsigned char drawable) {
    draw = new NUVSimDrawOrContinueMessage(scene->Layout(), scene->Editor(), next);
    draw->SetDrawable(drawable);
    draw->Post();
  }
  // Posts a new message and runs turns until it has executed once.
  void RunDraw(unsigned char drawable) {
    PostDraw(drawable);
    app->RunOneTurn(0);
  }

  std::unique_ptr<FrameTestScene> scene;
  CountingMessage* next = nullptr;
  NUVSimDrawOrContinueMessage* draw = nullptr;
};

}  // namespace

TEST_F(DrawOrContinue, DrawableStepContinuesOnlyAfterEveryWindowSwapped) {
  NUVFrmWindow* w1 = scene->Add3DWindow();
  NUVFrmWindow* w2 = scene->Add3DWindow();
  RunDraw(1);
  EXPECT_EQ(w1->GetViewer()->GetDrawCount() * w2->GetViewer()->GetDrawCount(), 1);
  EXPECT_TRUE(draw->IsPosted()) << "waiting for the swaps";
  draw->Post();
  EXPECT_EQ(NUVSimMessageQueue::GetInstance()->Size(), 0) << "a posted message is not queued again";
  w1->GetViewer()->DeliverSwap();
  EXPECT_FALSE(next->IsPosted()) << "one swap of two is not enough";
  w1->GetViewer()->DeliverSwap();  // a second swap of the same window counts too
  EXPECT_TRUE(next->IsPosted());
  EXPECT_FALSE(draw->IsPosted() || draw->CallbacksInstalled() || draw->GetExpected());
  w2->GetViewer()->DeliverSwap();  // after the wait: changes nothing
  EXPECT_EQ(draw->GetReceived(), 0);
}

TEST_F(DrawOrContinue, NotDrawableContinuesAtOnceFlushedOrWithoutAny3DWindowNothingWaits) {
  NUVFrmWindow* w = scene->Add3DWindow();
  scene->Layout()->SetCurrentWindow(w);
  NUVMouseDevice& mouse = w->GetViewer()->GetMouseDevice();
  mouse.SetMousePosition(12, 34);
  auto mouseCalls = [&] {
    return std::vector<int>{mouse.GetEventPointCount(), w->GetViewer()->GetPickRequestCount(),
                            mouse.GetElectionCount()};
  };
  for (int pressed : {0, 1}) {  // a held button leaves the mouse device alone
    mouse.SetPressedButton(pressed);
    PostDraw(0);
    app->RunOneTurn(0);
    EXPECT_TRUE(next->IsPosted() && !draw->IsPosted());
    EXPECT_EQ(mouseCalls(), (std::vector<int>{1, 1, 1})) << "point, pick, election";
    EXPECT_EQ((std::vector<float>{mouse.GetCurrentEventX(), mouse.GetCurrentEventY()}),
              (std::vector<float>{12, 34}));
    ReleaseDraw(&draw);
    NUVSimMessageQueue::GetInstance()->EmptyQueue();
  }
  EXPECT_EQ(w->GetViewer()->GetDrawCount(), 0);
  PostDraw(1);  // flushed: draws, goes idle, continues nothing
  NUVSimMessageQueue::GetInstance()->EmptyQueue();
  EXPECT_FALSE(draw->IsPosted() || draw->GetDrawable() || draw->CallbacksInstalled());
  EXPECT_EQ(w->GetViewer()->GetDrawCount(), 1);
  EXPECT_EQ(next->executions, 2);
  ReleaseDraw(&draw);
  scene->Layout()->DeleteWindow(w);
  PostDraw(1);
  app->RunOneTurn(0);
  EXPECT_FALSE(draw->IsPosted() || next->IsPosted()) << "no 3D window: no wait, no continuation";
}

TEST_F(DrawOrContinue, DeletedWatchedWindowIsNoLongerAwaited) {
  NUVFrmWindow* w1 = scene->Add3DWindow();
  NUVFrmWindow* w2 = scene->Add3DWindow();
  NUVFrmWindow* w3 = scene->Add3DWindow();
  NUVFrmWindow* foreign = scene->Add3DWindow(scene->AddEditor());
  NUVFrmWindow* flat = scene->Add2DWindow();
  RunDraw(1);
  ASSERT_EQ(draw->GetExpected(), 3);
  scene->Layout()->DeleteWindow(foreign);
  scene->Layout()->DeleteWindow(flat);
  EXPECT_EQ(draw->GetExpected(), 3) << "windows of another editor or not 3D are not watched";
  w1->AddRef();
  scene->Layout()->DeleteWindow(w1);
  EXPECT_EQ(draw->GetExpected(), 2);
  w1->GetViewer()->DeliverSwap();
  w1->Release();
  EXPECT_EQ(draw->GetReceived(), 0) << "the deleted window's swap is no longer watched";
  w2->GetViewer()->DeliverSwap();
  EXPECT_FALSE(next->IsPosted());
  scene->Layout()->DeleteWindow(w3);  // the only window not swapped yet
  EXPECT_TRUE(next->IsPosted() && !draw->IsPosted()) << "the deletion completed the wait";
}

// Another subscriber of the same swap dispatch releases the message, before
// or after the message's own callback ran: nothing may reach it once gone.
TEST_F(DrawOrContinue, ReleasedByAnotherSubscriberOfTheSameSwap) {
  for (bool releasedFirst : {true, false}) {
    NUVFrmWindow* w = scene->Add3DWindow();
    NUVGraphicWindow* support = w->GetViewer()->GetSupport();
    auto* other = new FrameEventRecorder;
    other->_pContext = &draw;
    other->_pThen = [](FrameEventRecorder* r, void*) {
      ReleaseDraw(static_cast<NUVSimDrawOrContinueMessage**>(r->_pContext));
    };
    auto subscribe = [&] {
      ::AddCallback(other, support, NUVGraphicWindow::GRAPHICWINDOW_SWAP(),
                    NUVSubscriberMethodCast(&FrameEventRecorder::OnEvent), nullptr);
    };
    if (releasedFirst) subscribe();  // its callback comes before the message's
    RunDraw(1);
    if (!releasedFirst) subscribe();
    w->GetViewer()->DeliverSwap();
    EXPECT_EQ(draw, nullptr);
    EXPECT_EQ(next->IsPosted(), !releasedFirst) << "continued only when its callback ran first";
    ::RemoveCallbacksOn(other, support, NUVGraphicWindow::GRAPHICWINDOW_SWAP(), nullptr);
    other->Release();
    NUVSimMessageQueue::GetInstance()->EmptyQueue();
    scene->Layout()->DeleteWindow(w);
  }
}
