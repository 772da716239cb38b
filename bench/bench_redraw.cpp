// The redraw agent's per-step cost, scheduled redraws at scale, and the whole
// play loop beside its floor of two message wake-ups per step.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <random>
#include <vector>

#include "NUV3DViewer.h"
#include "NUVApplication.h"
#include "NUVDisplayRefresh.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVISimAgentKeyFrame.h"
#include "NUVSimAgentRedraw3D.h"
#include "NUVSimExecutionOptionsSettings.h"
#include "NUVSimMessage.h"
#include "NUVSimMessageQueue.h"
#include "NUVDictionary.h"
#include "NUVSimMovingObjectAgent.h"
#include "NUVSimPlayScene.h"

namespace {

typedef NUVSimExecutionOptionsSettings Settings;

// One step of the per-step operations, as a negotiated-time controller calls
// them, on an agent that posts no message.
void BM_AgentStep(benchmark::State& state) {
  Settings::ResetToDefaults();
  Settings::SetMasterClockYesOrNo(1);
  auto* agent = new NUVSimAgentRedraw3D;
  NUVISimControllerNegociatedTime_var none;
  agent->SetSimulationController(none, 1);  // negotiated time, no messages
  agent->Init();
  NUVSimValue current(0.0), proposed;
  SimLoopStatus status;
  for (auto _ : state) {
    agent->GetNextProposedValue(proposed);
    current = proposed;
    agent->SetCurrentSimValue(current);
    agent->Commit();
    agent->GetLoopStatus(status);
    benchmark::DoNotOptimize(status);
  }
  agent->Release();
  Settings::ResetToDefaults();
}
BENCHMARK(BM_AgentStep);

// Schedules n redraw values (increasing or in random order), then plays
// through all of them: one proposal per scheduled value.
void ScheduleAndPlay(benchmark::State& state, bool shuffled) {
  const int n = static_cast<int>(state.range(0));
  std::vector<double> values(n);
  for (int i = 0; i < n; ++i) values[i] = 0.001 * (i + 1);
  if (shuffled) std::shuffle(values.begin(), values.end(), std::mt19937(42));
  Settings::ResetToDefaults();
  for (auto _ : state) {
    auto* agent = new NUVSimAgentRedraw3D;
    NUVISimControllerNegociatedTime_var none;
    agent->SetSimulationController(none, 1);
    for (double v : values) agent->ScheduleRedraw(NUVSimValue(v));
    NUVSimValue proposed;
    agent->SetCurrentSimValue(NUVSimValue(0.0));
    int played = 0;
    for (;;) {
      agent->GetNextProposedValue(proposed);
      if (proposed.GetValue() >= NUVSimValue::DblMax) break;
      agent->SetCurrentSimValue(proposed);
      ++played;
    }
    if (played != n) state.SkipWithError("did not play through every scheduled value");
    agent->Release();
  }
  state.SetComplexityN(n);
}
void BM_ScheduleIncreasingThenPlay(benchmark::State& state) { ScheduleAndPlay(state, false); }
void BM_ScheduleRandomThenPlay(benchmark::State& state) { ScheduleAndPlay(state, true); }
BENCHMARK(BM_ScheduleIncreasingThenPlay)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);
BENCHMARK(BM_ScheduleRandomThenPlay)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);

class NullMessage : public NUVSimMessage {};

// The floor of one play-loop step: two message wake-ups (compute, then draw).
void BM_Floor_TwoMessageWakeUps(benchmark::State& state) {
  NUVSimMessageQueue::DeleteMessageQueueInstance();
  NUVApplication app("bench");
  auto* a = new NullMessage;
  auto* b = new NullMessage;
  for (auto _ : state) {
    a->Post();
    app.RunOneTurn(-1);
    b->Post();
    app.RunOneTurn(-1);
  }
  NUVSimMessageQueue::DeleteMessageQueueInstance();
  while (app.PendingTimeOuts() > 0) app.RunOneTurn(0);
  a->Release();
  b->Release();
}
BENCHMARK(BM_Floor_TwoMessageWakeUps);

// Steps of the whole play loop: compute message, key-frame iteration, the
// redraw agent's Commit, draw-or-continue message, draw of two headless 3D
// windows whose swaps arrive on a later turn, compute message again.
void BM_PlayLoopStep(benchmark::State& state) {
  Settings::ResetToDefaults();  // synchronous refresh: every step drawn
  NUVSimMessageQueue::DeleteMessageQueueInstance();
  NUVApplication app("bench");
  NUVViewer::EnableAutomaticSwaps(1);
  NUVDisplayRefresh::SetRate(0);  // swaps as fast as the loop turns
  auto* editor = new NUVFrmEditor;
  auto* layout = new NUVFrmLayout;
  NUVFrmEditor::SetCurrentEditor(editor);
  NUVFrmLayout::SetCurrentLayout(layout);
  NUVViewer* viewers[2];
  for (NUVViewer*& v : viewers) {
    v = new NUV3DViewer;
    auto* w = new NUVFrmWindow(editor, v);
    layout->AddWindow(w);
    w->Release();
  }
  auto* agent = new NUVSimAgentRedraw3D;
  agent->SetWithGraphics(1);
  {
    NUVSimPlayScene scene(NUVSimPlayScene::KeyFrame);
    scene.AddMember(agent);
    scene.Start(1e12, 1.0);
    agent->ForceCompute();
    for (auto _ : state) {
      const int played = scene.StepsPlayed();
      while (scene.StepsPlayed() == played) app.RunOneTurn(-1);
    }
    // The last step's frame is drawn on the turn after it was computed.
    if (viewers[0]->GetDrawCount() < static_cast<int>(state.iterations()) - 1) {
      state.SkipWithError(("steps were not drawn: " + std::to_string(viewers[0]->GetDrawCount()) +
                           " of " + std::to_string(scene.StepsPlayed())).c_str());
    }
  }
  agent->Release();
  NUVSimMessageQueue::DeleteMessageQueueInstance();
  for (int i = 0; i < 1000 && app.PendingTimeOuts() > 0; ++i) app.RunOneTurn(0);
  NUVFrmEditor::SetCurrentEditor(nullptr);
  NUVFrmLayout::SetCurrentLayout(nullptr);
  for (NUVViewer* v : viewers) v->Release();
  layout->Release();
  editor->Release();
  NUVViewer::EnableAutomaticSwaps(0);
}
BENCHMARK(BM_PlayLoopStep);

// The moving objects' scene alone, as velloran-play builds it: three movers
// on regular paths under negotiated time, a way point every 0.25, played to
// the end without messages. One iteration plays the whole range; the cost
// per step must not grow with the length of the play.
void BM_SceneStep(benchmark::State& state) {
  const double end = static_cast<double>(state.range(0));
  long long steps = 0;
  for (auto _ : state) {
    NUVSimPlayScene scene(NUVSimPlayScene::NegociatedTime);
    scene.AddMovers(3, end);
    scene.Start(end, 0.05);
    while (scene.Playing()) scene.Iterate();
    steps += scene.StepsPlayed();
  }
  state.SetItemsProcessed(steps);
}
BENCHMARK(BM_SceneStep)->Arg(250)->Arg(25000)->Unit(benchmark::kMillisecond);

// One mover stepping through a listed path of n way points, each step
// proposing the next way point and moving to it: constant time per step.
void BM_MoverListedPathStep(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  auto* mover = new NUVSimMovingObjectAgent;
  for (int k = 0; k < n; ++k) mover->AddWayPoint(NUVSimValue(0.25 * k), k, k % 2, 0);
  for (auto _ : state) {
    NUVSimValue at(0.0);
    for (int k = 0; k < n; ++k) {
      mover->SetCurrentSimValue(at);
      mover->Compute();
      mover->GetNextProposedValue(at);
    }
  }
  state.SetItemsProcessed(state.iterations() * n);
  mover->Release();
}
BENCHMARK(BM_MoverListedPathStep)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
