// Buffer swaps reported from the real event loop, on a later turn or at the next
// refresh tick (steered with the fake performance counter); lifetime around swaps.
#include <gtest/gtest.h>

#include <cmath>

#include "FrameTestScene.h"
#include "NUV3DViewer.h"
#include "NUVApplication.h"
#include "NUVBaseUnknown_WR.h"
#include "NUVCallbackManager.h"
#include "NUVDisplayRefresh.h"
#include "NUVGraphicWindow.h"
#include "NUVOsTestHooks.h"
#include "NUVVidCtl3DViewer.h"

namespace {

NUVSubscriberMethod Record() { return NUVSubscriberMethodCast(&FrameEventRecorder::OnEvent); }

class ViewerSwap : public ::testing::Test {
 protected:
  void SetUp() override { NUVViewer::EnableAutomaticSwaps(1); }
  void TearDown() override {
    NUVViewer::EnableAutomaticSwaps(_Former);
    NUVDisplayRefresh::SetRate(0);
    NUVOsResetEmulation();
  }
  // Runs turns until nothing is pending (bounded, so a fault cannot hang).
  static void Drain(NUVApplication& app) {
    for (int i = 0; i < 20 && app.PendingTimeOuts() > 0; ++i) app.RunOneTurn(0);
  }
  static void TurnUntilAHandlerRuns(NUVApplication& app) {  // sleeping in the loop
    for (int i = 0; i < 100 && app.RunOneTurn(-1) == 0; ++i) continue;
  }
  unsigned char _Former = NUVViewer::AreAutomaticSwapsEnabled();
};

void DrawNow(NUVCommand*, int, void* viewer) { static_cast<NUVViewer*>(viewer)->Draw(); }

TEST_F(ViewerSwap, DrawsBeforeTheSwapMakeOneSwapOnALaterTurnThenTheViewerUpdate) {
  NUVApplication app("frame-test");
  auto* viewer = new NUV3DViewer;
  FrameEventRecorder recorder;
  AddCallback(&recorder, viewer->GetSupport(), NUVGraphicWindow::GRAPHICWINDOW_SWAP(), Record(), nullptr);
  AddCallback(&recorder, viewer, NUVViewer::VIEWER_UPDATE(), Record(), nullptr);
  app.AddTimeOut(0, nullptr, viewer, &DrawNow);
  app.AddTimeOut(0, nullptr, viewer, &DrawNow);
  app.RunOneTurn(0);  // the drawing turn
  app.RunOneTurn(0);  // draws again: the swap moves after it
  EXPECT_EQ(recorder.Calls().size(), 0u) << "never within a drawing turn";
  Drain(app);
  ASSERT_EQ(recorder.Calls().size(), 2u);
  EXPECT_EQ(recorder.Calls()[0].publisher, static_cast<void*>(viewer->GetSupport()));
  EXPECT_EQ(recorder.Calls()[1].event, NUVViewer::VIEWER_UPDATE()) << "the frame is up, then the viewer";
  viewer->Release();
}

TEST_F(ViewerSwap, SwapsCompleteAtTheNextRefreshTickOfTheCounter) {
  NUVOsSetFakePerformanceCounter(1, 5);  // 1e9 counts per second
  ASSERT_EQ(NUVDisplayRefresh::SetRate(1000), 0);  // a tick every 1e6 counts, from the first draw
  NUVApplication app("frame-test");
  auto* viewer = new NUV3DViewer;
  viewer->Draw();
  NUVOsAdvancePerformanceCounter(999999);  // one count before the tick
  viewer->Draw();
  TurnUntilAHandlerRuns(app);
  EXPECT_EQ(viewer->GetSwapCount(), 0) << "the loop woke, the display has not refreshed";
  NUVOsAdvancePerformanceCounter(1);
  TurnUntilAHandlerRuns(app);
  EXPECT_EQ(viewer->GetSwapCount(), 1) << "two draws before one tick: one swap at the tick";
  // Ticks missed while the loop was busy give one swap, at the next turn.
  viewer->Draw();
  NUVOsAdvancePerformanceCounter(7500000);
  TurnUntilAHandlerRuns(app);
  EXPECT_EQ(viewer->GetSwapCount(), 2);
  // Rate 0: the next turn, whatever the counter says.
  ASSERT_EQ(NUVDisplayRefresh::SetRate(0), 0);
  viewer->Draw();
  app.RunOneTurn(0);
  EXPECT_EQ(viewer->GetSwapCount(), 3);
  EXPECT_EQ(NUVDisplayRefresh::SetRate(-1) + NUVDisplayRefresh::SetRate(10000.5) +
                NUVDisplayRefresh::SetRate(std::nan("")) + NUVDisplayRefresh::SetRate(HUGE_VAL), -4);
  EXPECT_EQ(NUVDisplayRefresh::Rate(), 0.0);
  viewer->Release();
}

TEST_F(ViewerSwap, NoSwapWithoutApplicationWhenTurnedOffOrDeliveredByHand) {
  auto* viewer = new NUV3DViewer;
  viewer->Draw();  // no application
  NUVApplication app("frame-test");
  NUVViewer::EnableAutomaticSwaps(0);
  viewer->Draw();
  EXPECT_EQ(app.PendingTimeOuts(), 0);
  NUVViewer::EnableAutomaticSwaps(1);
  viewer->Draw();
  viewer->SetAutomaticSwap(0);  // drops the pending swap
  EXPECT_EQ(app.PendingTimeOuts(), 0);
  viewer->SetAutomaticSwap(1);
  viewer->Draw();
  viewer->DeliverSwap();  // replaces the pending one
  Drain(app);
  EXPECT_EQ(viewer->GetSwapCount(), 1);
  viewer->Release();
}

void ReleaseViewer(FrameEventRecorder* recorder, void*) {
  auto** viewer = static_cast<NUVViewer**>(recorder->_pContext);
  if (*viewer) (*viewer)->Release();
  *viewer = nullptr;
}

TEST_F(ViewerSwap, DestroyedViewersAreNeverCalledBackAndMayGoDuringTheirSwap) {
  NUVApplication app("frame-test");
  NUVViewer* viewer = new NUV3DViewer;
  NUVBaseUnknown_WR weak(viewer);
  FrameEventRecorder first, second;
  first._pThen = &ReleaseViewer;
  first._pContext = &viewer;
  AddCallback(&first, viewer->GetSupport(), NUVGraphicWindow::GRAPHICWINDOW_SWAP(), Record(), nullptr);
  AddCallback(&second, viewer->GetSupport(), NUVGraphicWindow::GRAPHICWINDOW_SWAP(), Record(), nullptr);
  viewer->Draw();
  Drain(app);
  EXPECT_FALSE(weak.IsAlive());
  EXPECT_EQ(second.Calls().size(), 1u) << "the dispatch in progress reaches every subscriber";
  auto* doomed = new NUV3DViewer;
  auto* control = new NUVVidCtl3DViewer;
  doomed->Draw();
  control->DrawRequest();
  doomed->Release();
  control->Release();
  EXPECT_EQ(app.PendingTimeOuts(), 0) << "destruction cancels the pending swaps";
  // A new application (a host restarting its loop) does not inherit the swap.
  auto* survivor = new NUV3DViewer;
  { NUVApplication gone("gone"); survivor->Draw(); }
  NUVApplication next("next");
  survivor->Draw();
  Drain(next);
  EXPECT_EQ(survivor->GetSwapCount(), 1);
  survivor->Release();
}

}  // namespace
