// Whole plays through the real event loop: engine controller, structured
// agent, redraw agent, messages, two headless 3D windows whose swaps arrive
// on later turns. Real time runs on the fake performance counter, moved on by
// a fixed amount at every turn of the loop, so the checks are exact.
#include <gtest/gtest.h>

#include <algorithm>
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
  double realTime, value;
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
      NUVSimPlayScene play(negociatedTime ? NUVSimPlayScene::NegociatedTime
                                          : NUVSimPlayScene::KeyFrame);
      play.AddMember(agent);
      play.Start(end, step);
      agent->ForceCompute();
      for (int turn = 0; turn < 2000000 && (play.Playing() || app->PendingTimeOuts() > 0 ||
                                             NUVSimMessageQueue::GetInstance()->Size() > 0);
           ++turn) {
        app->RunOneTurn(0);
        const int state = agent->GetFrameState();
        while (static_cast<int>(frames.size()) < play.StepsPlayed()) {
          frames.push_back({turn * turnSeconds, play.Current().GetValue(), state >= 2 && state <= 5});
        }
        NUVOsAdvancePerformanceCounter(static_cast<long long>(turnSeconds * kSecond));
      }
    }
    agent->Release();
    return frames;
  }
  static int Drawn(const std::vector<Frame>& frames) {
    return std::count_if(frames.begin(), frames.end(), [](const Frame& f) { return f.drawn; });
  }

  std::unique_ptr<FrameTestScene> scene;
  NUVFrmWindow* w1 = nullptr;
  NUVFrmWindow* w2 = nullptr;
};

}  // namespace

TEST_F(PlayEndToEnd, SynchronousRefreshDrawsEveryNthKeyFrameAndEachDrawWaitsForItsSwap) {
  for (int rate : {1, 4}) {
    Settings::SetUpdateRate(rate);
    const int drawsBefore = w1->GetViewer()->GetDrawCount();
    std::vector<Frame> frames = Play(false, 2.0, 0.1, 0.0001);
    ASSERT_EQ(frames.size(), 21u);
    for (size_t i = 0; i < frames.size(); ++i) {
      EXPECT_EQ(frames[i].drawn, (i + 1) % rate == 0 ? 1 : 0) << "rate " << rate << " step " << i;
    }
    const int draws = w1->GetViewer()->GetDrawCount() - drawsBefore;
    EXPECT_EQ(draws, 21 / rate) << "each decided frame reached the windows";
    EXPECT_EQ(w2->GetViewer()->GetDrawCount(), w1->GetViewer()->GetDrawCount());
    EXPECT_EQ(w1->GetViewer()->GetSwapCount(), w1->GetViewer()->GetDrawCount())
        << "each draw waited for its swap";
  }
}

TEST_F(PlayEndToEnd, TimedRefreshDrawsAboutOncePerUpdateTimeNeverMore) {
  Settings::SetSynchronousRefresh(0);
  Settings::SetUpdateTime(0.01f);
  std::vector<Frame> frames = Play(false, 10.0, 0.01, 0.001);  // 1001 steps
  ASSERT_EQ(frames.size(), 1001u);
  double lastDraw = -1;
  for (const Frame& f : frames) {
    if (!f.drawn) continue;
    EXPECT_TRUE(lastDraw < 0 || f.realTime - lastDraw > 0.01 - 1e-9) << "at " << f.value;
    lastDraw = f.realTime;
  }
  EXPECT_GE(Drawn(frames), frames.back().realTime / 0.01 / 2);
}

TEST_F(PlayEndToEnd, RealTimeFramesFollowTheFactorsLine) {
  Settings::SetRealTimeYesOrNo(1);
  Settings::SetRealTimeFactor(2.0);
  Settings::SetMasterClockYesOrNo(1);
  std::vector<Frame> frames = Play(true, 1.0, 0.1, 0.0005);
  ASSERT_GT(frames.size(), 20u);
  EXPECT_EQ(frames.back().value, 1.0);
  const double t0 = frames.front().realTime;  // the first step starts the clock
  int checked = 0;
  for (const Frame& f : frames) {
    if (!f.drawn || f.value >= 1.0) continue;
    EXPECT_NEAR(f.value, 2.0 * (f.realTime - t0), 0.02) << "a frame off the factor's line";
    ++checked;
  }
  EXPECT_GT(checked, 20);
}
