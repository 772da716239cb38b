// The replay-sync answer, decided once per process, and play under it (viewer
// updates run the messages). Each case runs in a child process: no test of this
// program may ask the answer in the parent, or the children would inherit it.
#include <gtest/gtest.h>

#include <string>

#include "ChildProcess.h"
#include "CountingMessage.h"
#include "FakeControllers.h"
#include "FrameTestScene.h"
#include "NUVApplication.h"
#include "NUVFrmWindow.h"
#include "NUVRecord.h"
#include "NUVSetEnvValue.h"
#include "NUVSimAgentRedraw3D.h"
#include "NUVSimDrawOrContinueMessage.h"
#include "NUVSimMessageQueue.h"
#include "NUVSimVizServices.h"
#include "NUVViewer.h"
#include "TestTempDir.h"

namespace {

class ReplaySync : public ::testing::Test {
 protected:
  // A recording with the given level lines after the header.
  std::string Recording(const char* name, const std::string& levels) {
    std::string path = _Dir.File(name);
    TestTempDir::WriteFile(path, "NUVRecord 1\n" + levels);
    return path;
  }
  static unsigned char Synced() { return NUVSimVizServices::IsKTRReplaySynced(); }
  TestTempDir _Dir{std::string("replay-sync-") +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

TEST_F(ReplaySync, CaptureMarksOnceUnlessMarkedAndReplayFollowsTheMarkElseTheEnvironment) {
  std::string path = _Dir.File("captured.rec"), premarked = _Dir.File("premarked.rec");
  EXPECT_IN_CHILD({
    CHILD_CHECK(NUVRecord::StartCapture(path.c_str()) == S_OK);
    CHILD_CHECK(Synced() == 0 && Synced() == 0);
    NUVRecord::EndMain();
  });
  EXPECT_EQ(TestTempDir::ReadFile(path), "NUVRecord 1\nlevel PLMSimSyncedKTR 1\n");
  EXPECT_IN_CHILD({
    CHILD_CHECK(NUVRecord::StartCapture(premarked.c_str()) == S_OK);
    NUVRecord::GetMain()->SetSoftwareRecordLevel(const_cast<char*>("PLMSimSyncedKTR"), 0);
    CHILD_CHECK(Synced() == 0);
    NUVRecord::EndMain();
  });
  EXPECT_EQ(TestTempDir::ReadFile(premarked), "NUVRecord 1\nlevel PLMSimSyncedKTR 0\n");
  std::string negative = Recording("negative.rec", "level PLMSimSyncedKTR -3\n");
  std::string unmarked = Recording("unmarked.rec", "level Other 4\n");
  for (const std::string& replayed : {path, premarked, negative, unmarked}) {
    unsigned char expected = replayed == path || replayed == unmarked ? 1 : 0;
    EXPECT_IN_CHILD({
      // A recorded mark decides; without one, the environment (defined, even
      // empty) of the first call.
      NUVSetEnvValue("PLMSIM_KTR_SYNC", "");
      CHILD_CHECK(NUVRecord::StartReplay(replayed.c_str()) == S_OK);
      CHILD_CHECK(Synced() == expected);
      NUVSetEnvValue("PLMSIM_KTR_SYNC", nullptr);
      NUVRecord::EndMain();  // later changes do not matter
      CHILD_CHECK(Synced() == expected);
    });
  }
  std::string capture = _Dir.File("late-capture.rec");
  EXPECT_IN_CHILD({
    CHILD_CHECK(Synced() == 0);  // no recorder yet: false for the whole process
    CHILD_CHECK(NUVRecord::StartCapture(capture.c_str()) == S_OK);
    CHILD_CHECK(Synced() == 0);
    NUVRecord::EndMain();
  });
  EXPECT_EQ(TestTempDir::ReadFile(capture), "NUVRecord 1\n") << "a late capture is not marked";
}

TEST_F(ReplaySync, DuringAReplayTheNextMessageRunsInsideAndViewerUpdatesDriveTheQueue) {
  std::string path = Recording("play.rec", "level PLMSimSyncedKTR 1\n");
  EXPECT_IN_CHILD({
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
    CHILD_CHECK(app.RegisteredDescriptors() == 0 && app.PendingTimeOuts() == 0);
    w->GetViewer()->DispatchViewerUpdate();
    CHILD_CHECK(kf->iterations == 1);  // one update, one message, once
    agent->Commit();  // posts the draw-or-continue message
    w->GetViewer()->DispatchViewerUpdate();  // it runs the compute message inside
    CHILD_CHECK(kf->iterations == 2);
    agent->Deactivate();
    w->GetViewer()->DispatchViewerUpdate();
    CHILD_CHECK(kf->iterations == 2);  // unsubscribed
    NUVRecord::EndMain();  // the answer stays, the replay is over: nothing continued
    auto* next = new CountingMessage("next");
    auto* draw = new NUVSimDrawOrContinueMessage(scene.Layout(), scene.Editor(), next);
    draw->Post();
    NUVSimMessageQueue::GetInstance()->ExecuteMessage(0);
    CHILD_CHECK(next->executions == 0 && !next->IsPosted() && !draw->IsPosted());
  });
}

}  // namespace
