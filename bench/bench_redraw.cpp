// The redraw agent's per-step cost, scheduled redraws at scale, and the whole
// play loop beside its floor of two message wake-ups per step.
#include <benchmark/benchmark.h>
#include <unistd.h>

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
#include "NUVISimStructuredAgentKeyFrameMgt.h"
#include "NUVSimAgentRedraw3D.h"
#include "NUVSimExecutionOptionsSettings.h"
#include "NUVSimKeyFrameController.h"
#include "NUVSimMessage.h"
#include "NUVSimMessageQueue.h"
#include "NUVDictionary.h"

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
  void* raw = nullptr;
  NUVInstantiateComponent("NUVSimProbesStructuredAgentKF", IID_NUVISimStructuredAgentKeyFrameMgt,
                          &raw);
  NUVVar<NUVISimStructuredAgentKeyFrameMgt> members;
  members.Attach(static_cast<NUVISimStructuredAgentKeyFrameMgt*>(raw));
  NUVISimAgentKeyFrame_var redraw(agent);
  members->AddMember(redraw);
  auto* controller = new NUVSimKeyFrameController;
  controller->SetKeyFrames(NUVSimValue(0.0), NUVSimValue(1e12), NUVSimValue(1.0));
  NUVISimAgentKeyFrame_var top(members.get());
  controller->SetControlledAgent(top);
  agent->ForceCompute();
  for (auto _ : state) {
    int played = controller->GetFramesPlayed();
    while (controller->GetFramesPlayed() == played) app.RunOneTurn(-1);
  }
  // The last step's frame is drawn on the turn after it was computed.
  if (viewers[0]->GetDrawCount() < static_cast<int>(state.iterations()) - 1) {
    state.SkipWithError(("steps were not drawn: " + std::to_string(viewers[0]->GetDrawCount()) + " of " + std::to_string(controller->GetFramesPlayed())).c_str());
  }
  NUVISimAgentKeyFrame_var none;
  controller->SetControlledAgent(none);
  controller->Release();
  redraw = nullptr;
  top = nullptr;
  members = nullptr;
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

}  // namespace
