// Whole plays through the real event loop: engine controller, structured
// agent, redraw agent, messages, two headless 3D windows whose swaps arrive
// on later turns. Real time runs on the fake performance counter, moved on by
// a fixed amount at every turn of the loop, so the checks are exact.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "FrameTestScene.h"
#include "LoopFixture.h"
#include "NUVFrmWindow.h"
#include "NUVOsTestHooks.h"
#include "NUVSimAgentRedraw3D.h"
#include "NUVSimExecutionOptionsSettings.h"
#include "NUVSimMessageQueue.h"
#include "NUVSimPlayScene.h"
#include "NUVViewer.h"

namespace {

typedef NUVSimExecutionOptionsSettings Settings;
const long long kSecond = 1000000000;

struct Frame {
  double realTime;
  double value;
  int drawn;
};

class PlayEndToEnd : public LoopFixture {
 protected:
  void SetUp() override {
    LoopFixture::SetUp();
    NUVOsResetEmulation();
    NUVOsSetFakePerformanceCounter(1, 1000 * kSecond);
    Settings::ResetToDefaults();
    scene = std::make_unique<FrameTestScene>();  // restores the swap switch when it goes
    NUVViewer::EnableAutomaticSwaps(1);
    w1 = scene->Add3DWindow();
    w2 = scene->Add3DWindow();
  }
  void TearDown() override {
    scene.reset();
    Settings::ResetToDefaults();
    NUVOsResetEmulation();
    LoopFixture::TearDown();
  }

  // Plays [0, end] and returns one entry per step. `turnSeconds` of fake
  // real time pass at every turn of the loop.
  std::vector<Frame> Play(bool negociatedTime, double end, double step, double turnSeconds) {
    auto* agent = new NUVSimAgentRedraw3D;
    agent->SetWithGraphics(1);
    std::vector<Frame> frames;
    {
      NUVSimPlayScene scene(negociatedTime ? NUVSimPlayScene::NegociatedTime
                                           : NUVSimPlayScene::KeyFrame);
      scene.AddMember(agent);
      scene.Start(end, step);
      agent->ForceCompute();
      double elapsed = 0;
      for (int turn = 0; turn < 2000000 && (scene.Playing() || app->PendingTimeOuts() > 0 ||
                                             NUVSimMessageQueue::GetInstance()->Size() > 0);
           ++turn) {
        app->RunOneTurn(0);
        const int state = agent->GetFrameState();
        while (static_cast<int>(frames.size()) < scene.StepsPlayed()) {
          frames.push_back({elapsed, scene.Current().GetValue(), state >= 2 && state <= 5});
        }
        NUVOsAdvancePerformanceCounter(static_cast<long long>(turnSeconds * kSecond));
        elapsed += turnSeconds;
      }
    }
    agent->Release();
    return frames;
  }
  static int Drawn(const std::vector<Frame>& frames) {
    int n = 0;
    for (const Frame& f : frames) n += f.drawn;
    return n;
  }
  int WindowDraws() const { return w1->GetViewer()->GetDrawCount(); }

  std::unique_ptr<FrameTestScene> scene;
  NUVFrmWindow* w1 = nullptr;
  NUVFrmWindow* w2 = nullptr;
};

}  // namespace

TEST_F(PlayEndToEnd, KeyFramesDrawEveryStepByDefault) {
  std::vector<Frame> frames = Play(false, 1.0, 0.1, 0.0001);
  ASSERT_EQ(frames.size(), 11u);
  EXPECT_EQ(Drawn(frames), 11);
  EXPECT_EQ(WindowDraws(), 11) << "each decided frame reached the windows";
  EXPECT_EQ(w2->GetViewer()->GetDrawCount(), 11);
  EXPECT_EQ(w1->GetViewer()->GetSwapCount(), 11) << "each draw waited for its swap";
}

TEST_F(PlayEndToEnd, SynchronousRefreshDrawsEveryNthStep) {
  Settings::SetUpdateRate(4);
  std::vector<Frame> frames = Play(false, 2.0, 0.1, 0.0001);
  ASSERT_EQ(frames.size(), 21u);
  EXPECT_EQ(Drawn(frames), 5) << "steps 4, 8, 12, 16, 20";
  EXPECT_EQ(WindowDraws(), 5);
  for (size_t i = 0; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i].drawn, (i + 1) % 4 == 0 ? 1 : 0) << "step " << i + 1;
  }
}

TEST_F(PlayEndToEnd, NegociatedTimeRedrawsTheFirstStepAfterReInit) {
  Settings::SetUpdateRate(3);
  std::vector<Frame> frames = Play(true, 1.0, 0.1, 0.0001);
  ASSERT_EQ(frames.size(), 11u);
  EXPECT_EQ(frames[0].drawn, 1) << "ReInitData makes the first step the n-th";
  EXPECT_EQ(Drawn(frames), 4) << "steps 1, 4, 7, 10";
}

TEST_F(PlayEndToEnd, TimedRefreshDrawsNoMoreThanOncePerUpdateTime) {
  Settings::SetSynchronousRefresh(0);
  Settings::SetUpdateTime(0.01f);
  std::vector<Frame> frames = Play(false, 10.0, 0.01, 0.001);  // 1001 steps
  ASSERT_EQ(frames.size(), 1001u);
  double lastDraw = -1;
  for (const Frame& f : frames) {
    if (!f.drawn) continue;
    if (lastDraw >= 0) {
      EXPECT_GT(f.realTime - lastDraw, 0.01 - 1e-9) << "at " << f.value;
    }
    lastDraw = f.realTime;
  }
  const double played = frames.back().realTime;
  EXPECT_GT(Drawn(frames), 0);
  EXPECT_LE(Drawn(frames), played / 0.01 + 1);
  EXPECT_GE(Drawn(frames), played / 0.01 / 2) << "roughly one frame per update time";
}

TEST_F(PlayEndToEnd, RealTimeFramesFollowTheFactorsLine) {
  Settings::SetRealTimeYesOrNo(1);
  Settings::SetRealTimeFactor(2.0);
  Settings::SetMasterClockYesOrNo(1);
  std::vector<Frame> frames = Play(true, 1.0, 0.1, 0.0005);
  ASSERT_GT(frames.size(), 20u);
  EXPECT_EQ(frames.back().value, 1.0);
  // The first step starts the clock: measure from it.
  const double t0 = frames.front().realTime;
  int checked = 0;
  for (const Frame& f : frames) {
    if (!f.drawn || f.value >= 1.0) continue;
    EXPECT_NEAR(f.value, 2.0 * (f.realTime - t0), 0.02) << "a frame off the factor's line";
    ++checked;
  }
  EXPECT_GT(checked, 20);
}
