// Play under record/replay synchronisation: the queue never wakes the loop,
// viewer updates run the messages, and during a replay the draw-or-continue
// message runs its next message itself. The replay-sync answer is decided
// once per process, so each case runs in a child process of its own.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "CountingMessage.h"
#include "FakeControllers.h"
#include "FrameTestScene.h"
#include "NUVApplication.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVMouseDevice.h"
#include "NUVRecord.h"
#include "NUVSimAgentRedraw3D.h"
#include "NUVSimComputeMessage.h"
#include "NUVSimDrawOrContinueMessage.h"
#include "NUVSimMessageQueue.h"
#include "NUVSimVizServices.h"
#include "NUVViewer.h"
#include "TestTempDir.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "failed: %s\n", what);
  std::exit(1);
}
#define CHILD_CHECK(condition) \
  if (!(condition)) Fail(#condition)

class ReplaySyncedPlay : public ::testing::Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "fast");
    path = dir.File("play.rec");
    TestTempDir::WriteFile(path, "NUVRecord 1\nlevel PLMSimSyncedKTR 1\n");
  }
  TestTempDir dir;
  std::string path;
};

}  // namespace

TEST_F(ReplaySyncedPlay, DuringAReplayTheNextMessageRunsInsideTheExecution) {
  EXPECT_EXIT(
      {
        CHILD_CHECK(NUVRecord::StartReplay(path.c_str()) == S_OK);
        NUVApplication app("replay");
        CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 1);
        FrameTestScene scene;
        NUVFrmWindow* w = scene.Add3DWindow();
        scene.Layout()->SetCurrentWindow(w);
        auto* next = new CountingMessage("next");
        auto* draw = new NUVSimDrawOrContinueMessage(scene.Layout(), scene.Editor(), next);
        draw->Post();
        CHILD_CHECK(app.RegisteredDescriptors() == 0 && app.PendingTimeOuts() == 0);
        CHILD_CHECK(app.RunOneTurn(0) == 0);  // the queue does not wake the loop
        NUVSimMessageQueue::GetInstance()->ExecuteMessage(0);
        CHILD_CHECK(next->executions == 1);  // run inside, not posted
        CHILD_CHECK(!next->IsPosted());
        CHILD_CHECK(w->GetViewer()->GetMouseDevice().GetEventPointCount() == 0);
        draw->Release();
        next->Release();
        NUVSimMessageQueue::DeleteMessageQueueInstance();
        NUVRecord::EndMain();
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(ReplaySyncedPlay, OutsideAReplayNothingIsContinued) {
  EXPECT_EXIT(
      {
        CHILD_CHECK(NUVRecord::StartReplay(path.c_str()) == S_OK);
        CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 1);
        NUVRecord::EndMain();  // the answer stays, the replay is over
        FrameTestScene scene;
        auto* next = new CountingMessage("next");
        auto* draw = new NUVSimDrawOrContinueMessage(scene.Layout(), scene.Editor(), next);
        draw->Post();
        NUVSimMessageQueue::GetInstance()->ExecuteMessage(0);
        CHILD_CHECK(next->executions == 0);
        CHILD_CHECK(!next->IsPosted());
        CHILD_CHECK(!draw->IsPosted());
        draw->Release();
        next->Release();
        NUVSimMessageQueue::DeleteMessageQueueInstance();
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

// The agent watches the first 3D window's viewer; each of its updates runs
// the oldest queued message.
TEST_F(ReplaySyncedPlay, ViewerUpdatesDriveTheQueue) {
  EXPECT_EXIT(
      {
        CHILD_CHECK(NUVRecord::StartReplay(path.c_str()) == S_OK);
        NUVApplication app("replay");
        FrameTestScene scene;
        NUVFrmWindow* w = scene.Add3DWindow();
        auto* agent = new NUVSimAgentRedraw3D;
        agent->SetWithGraphics(1);
        auto* kf = new FakeKeyFrameController;
        NUVISimControllerKeyFrame_var handle(kf);
        agent->SetSimulationController(handle, 1);
        agent->Activate();
        agent->Activate();  // a second Activate does not subscribe twice
        agent->ForceCompute();
        CHILD_CHECK(kf->iterations == 0);
        w->GetViewer()->DispatchViewerUpdate();
        CHILD_CHECK(kf->iterations == 1);  // one update, one message, once
        agent->Commit();  // posts the draw-or-continue message
        w->GetViewer()->DispatchViewerUpdate();  // it runs the compute message itself
        CHILD_CHECK(kf->iterations == 2);
        agent->Deactivate();
        w->GetViewer()->DispatchViewerUpdate();
        CHILD_CHECK(kf->iterations == 2);  // unsubscribed
        NUVISimControllerKeyFrame_var none;
        agent->SetSimulationController(none, 0);
        handle = nullptr;
        kf->Release();
        agent->Release();
        NUVSimMessageQueue::DeleteMessageQueueInstance();
        NUVRecord::EndMain();
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}
