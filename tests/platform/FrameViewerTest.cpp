// Viewers and viewer controls: draws, buffer swaps reported on a later turn
// of the real event loop, update events, and lifetime around pending swaps.
#include <gtest/gtest.h>

#include "FrameTestScene.h"
#include "NUV3DViewer.h"
#include "NUVApplication.h"
#include "NUVBaseUnknown_WR.h"
#include "NUVCallbackManager.h"
#include "NUVGraphicWindow.h"
#include "NUVSYPEventArgs.h"
#include "NUVSYPWRefMethEventHandler.h"
#include "NUVVidCtl3DViewer.h"

namespace {

NUVSubscriberMethod Record() { return NUVSubscriberMethodCast(&FrameEventRecorder::OnEvent); }

// Restores the process-wide swap switch whatever the test does.
class ViewerSwap : public ::testing::Test {
 protected:
  void SetUp() override {
    _Former = NUVViewer::AreAutomaticSwapsEnabled();
    NUVViewer::EnableAutomaticSwaps(1);
  }
  void TearDown() override { NUVViewer::EnableAutomaticSwaps(_Former); }

  // Runs turns until nothing is pending (bounded, so a fault cannot hang).
  static void Drain(NUVApplication& app) {
    for (int i = 0; i < 20 && app.PendingTimeOuts() > 0; ++i) app.RunOneTurn(0);
  }

  unsigned char _Former = 0;
};

struct DrawInTurn {
  NUVViewer* viewer;
  NUVApplication* app;
  int64_t drawTurn = -1;
};

void DrawNow(NUVCommand*, int, void* data) {
  auto* d = static_cast<DrawInTurn*>(data);
  d->drawTurn = d->app->TurnCount();
  d->viewer->Draw();
}

struct SwapTurn {
  NUVApplication* app;
  int64_t turn = -1;
};

void NoteSwapTurn(FrameEventRecorder* recorder, void*) {
  auto* swapTurn = static_cast<SwapTurn*>(recorder->_pContext);
  swapTurn->turn = swapTurn->app->TurnCount();
}

TEST_F(ViewerSwap, SwapIsReportedOnALaterTurnNeverInTheDrawingOne) {
  NUVApplication app("frame-test");
  auto* viewer = new NUV3DViewer;
  FrameEventRecorder recorder;
  SwapTurn swapTurn{&app};
  recorder._pThen = &NoteSwapTurn;
  recorder._pContext = &swapTurn;
  int data = 0;
  ASSERT_NE(AddCallback(&recorder, viewer->GetSupport(), NUVGraphicWindow::GRAPHICWINDOW_SWAP(),
                        Record(), &data),
            0);

  DrawInTurn draw{viewer, &app};
  app.AddTimeOut(0, nullptr, &draw, &DrawNow);
  app.RunOneTurn(0);  // the drawing turn
  EXPECT_EQ(viewer->GetDrawCount(), 1);
  EXPECT_EQ(recorder.Calls().size(), 0u) << "the swap must not come within the drawing turn";
  EXPECT_TRUE(viewer->HasPendingSwap());

  app.RunOneTurn(0);
  ASSERT_EQ(recorder.Calls().size(), 1u);
  EXPECT_EQ(recorder.Calls()[0].publisher, static_cast<void*>(viewer->GetSupport()));
  EXPECT_EQ(recorder.Calls()[0].clientData, &data);
  EXPECT_GT(swapTurn.turn, draw.drawTurn);
  EXPECT_FALSE(viewer->HasPendingSwap());
  EXPECT_EQ(viewer->GetSwapCount(), 1);
  EXPECT_EQ(app.PendingTimeOuts(), 0);
  viewer->Release();
}

TEST_F(ViewerSwap, DrawsBeforeTheSwapMakeOneSwap) {
  NUVApplication app("frame-test");
  auto* viewer = new NUV3DViewer;
  viewer->Draw();
  viewer->Draw();
  EXPECT_EQ(app.PendingTimeOuts(), 1);
  Drain(app);
  EXPECT_EQ(viewer->GetDrawCount(), 2);
  EXPECT_EQ(viewer->GetSupport()->GetSwapCount(), 1);
  viewer->Draw();
  Drain(app);
  EXPECT_EQ(viewer->GetSupport()->GetSwapCount(), 2);
  viewer->Release();
}

TEST_F(ViewerSwap, NoSwapWithoutApplicationOrWhenTurnedOff) {
  auto* viewer = new NUV3DViewer;
  ASSERT_EQ(NUVApplication::MainApplication(), nullptr);
  viewer->Draw();
  EXPECT_FALSE(viewer->HasPendingSwap());

  NUVApplication app("frame-test");
  viewer->SetAutomaticSwap(0);
  viewer->Draw();
  EXPECT_FALSE(viewer->HasPendingSwap());
  viewer->SetAutomaticSwap(1);
  NUVViewer::EnableAutomaticSwaps(0);
  viewer->Draw();
  EXPECT_FALSE(viewer->HasPendingSwap());
  Drain(app);
  EXPECT_EQ(viewer->GetSupport()->GetSwapCount(), 0);

  // Turning a viewer off drops the swap it had pending.
  NUVViewer::EnableAutomaticSwaps(1);
  viewer->Draw();
  EXPECT_TRUE(viewer->HasPendingSwap());
  viewer->SetAutomaticSwap(0);
  EXPECT_EQ(app.PendingTimeOuts(), 0);
  viewer->Release();
}

TEST_F(ViewerSwap, SwapDeliveredByHandReplacesThePendingOne) {
  NUVApplication app("frame-test");
  auto* viewer = new NUV3DViewer;
  viewer->Draw();
  viewer->DeliverSwap();
  EXPECT_EQ(viewer->GetSupport()->GetSwapCount(), 1);
  EXPECT_FALSE(viewer->HasPendingSwap());
  Drain(app);
  EXPECT_EQ(viewer->GetSupport()->GetSwapCount(), 1);
  viewer->Release();
}

// Regression: a viewer destroyed with its swap still pending must not be
// called back from the loop.
TEST_F(ViewerSwap, ViewerDestroyedWithPendingSwapIsNotTouched) {
  NUVApplication app("frame-test");
  auto* viewer = new NUV3DViewer;
  auto* support = viewer->GetSupport();
  support->AddRef();
  FrameEventRecorder recorder;
  AddCallback(&recorder, support, NUVGraphicWindow::GRAPHICWINDOW_SWAP(), Record(), nullptr);
  viewer->Draw();
  ASSERT_EQ(app.PendingTimeOuts(), 1);
  viewer->Release();
  EXPECT_EQ(app.PendingTimeOuts(), 0) << "destruction must cancel the pending swap";
  Drain(app);
  EXPECT_EQ(recorder.Calls().size(), 0u);
  support->Release();
}

void ReleaseViewer(FrameEventRecorder* recorder, void*) {
  auto** viewer = static_cast<NUVViewer**>(recorder->_pContext);
  if (*viewer) (*viewer)->Release();
  *viewer = nullptr;
}

TEST_F(ViewerSwap, SwapCallbackMayReleaseTheLastReferenceToTheViewer) {
  NUVApplication app("frame-test");
  NUVViewer* viewer = new NUV3DViewer;
  NUVBaseUnknown_WR weak(viewer);
  FrameEventRecorder first;
  FrameEventRecorder second;
  first._pThen = &ReleaseViewer;
  first._pContext = &viewer;
  AddCallback(&first, viewer->GetSupport(), NUVGraphicWindow::GRAPHICWINDOW_SWAP(), Record(), nullptr);
  AddCallback(&second, viewer->GetSupport(), NUVGraphicWindow::GRAPHICWINDOW_SWAP(), Record(), nullptr);
  viewer->Draw();
  Drain(app);
  EXPECT_FALSE(weak.IsAlive());
  EXPECT_EQ(first.Calls().size(), 1u);
  EXPECT_EQ(second.Calls().size(), 1u) << "the dispatch in progress reaches every subscriber";
}

// A new application, as a host that restarts its loop would have, must not
// inherit a swap that the old one never ran.
TEST_F(ViewerSwap, PendingSwapOfAGoneApplicationIsScheduledAgain) {
  auto* viewer = new NUV3DViewer;
  {
    NUVApplication first("first");
    viewer->Draw();
    EXPECT_TRUE(viewer->HasPendingSwap());
  }
  NUVApplication second("second");
  viewer->Draw();
  EXPECT_EQ(second.PendingTimeOuts(), 1);
  Drain(second);
  EXPECT_EQ(viewer->GetSupport()->GetSwapCount(), 1);
  viewer->Release();
}

TEST(ViewerEvents, UpdateIsPublishedOnTheViewerWithTheViewerAsPublisher) {
  auto* viewer = new NUV3DViewer;
  FrameEventRecorder recorder;
  int id = AddCallback(&recorder, viewer, NUVViewer::VIEWER_UPDATE(), Record(), nullptr);
  ASSERT_NE(id, 0);
  viewer->Draw();  // drawing is not an update
  EXPECT_EQ(recorder.Calls().size(), 0u);
  viewer->DispatchViewerUpdate();
  ASSERT_EQ(recorder.Calls().size(), 1u);
  EXPECT_EQ(recorder.Calls()[0].publisher, static_cast<void*>(viewer));
  EXPECT_EQ(recorder.Calls()[0].id, id);
  RemoveCallback(&recorder, viewer, id);
  viewer->DispatchViewerUpdate();
  EXPECT_EQ(recorder.Calls().size(), 1u);
  viewer->Release();
}

class SwapCounter : public NUVBaseUnknown {
 public:
  void OnSwap(NUVBaseUnknown* sender, NUVSYPEventArgs* args) {
    ++swaps;
    lastSender = sender;
    lastEvent = args ? args->GetEvent() : nullptr;
  }
  int swaps = 0;
  NUVBaseUnknown* lastSender = nullptr;
  NUVSYPEvent* lastEvent = nullptr;
};

TEST_F(ViewerSwap, ControlRaisesItsSwapEventOnALaterTurn) {
  NUVApplication app("frame-test");
  auto* control = new NUVVidCtl3DViewer;
  auto* counter = new SwapCounter;
  EXPECT_EQ(NUVSYPWRefMethEventHandler<SwapCounter>::AddTo(
                control, NUVVidCtlViewerBase::GraphicWindowSwapEvt(), counter, &SwapCounter::OnSwap),
            S_OK);
  control->DrawRequest();
  EXPECT_EQ(counter->swaps, 0);
  Drain(app);
  EXPECT_EQ(counter->swaps, 1);
  EXPECT_EQ(counter->lastSender, control);
  EXPECT_EQ(counter->lastEvent, NUVVidCtlViewerBase::GraphicWindowSwapEvt());
  EXPECT_EQ(control->GetDrawRequestCount(), 1);

  // Destroyed with a swap pending: the loop forgets it.
  control->DrawRequest();
  EXPECT_TRUE(control->HasPendingSwap());
  control->Release();
  EXPECT_EQ(app.PendingTimeOuts(), 0);
  counter->Release();
}

}  // namespace
