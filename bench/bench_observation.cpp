// The observation coordinator: dispatch of queued notifications to
// subscribers, and one interactive observation of 1,000 agents against
// calling the same agents directly.
#include <benchmark/benchmark.h>

#include <vector>

#include "NUV3DViewer.h"
#include "NUVCallbackManager.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVSimBasicAgent.h"
#include "NUVSimMasterObservation.h"
#include "NUVSimMasterObservationAgentList.h"
#include "NUVSimNotification.h"

namespace {

class CountingSubscriber : public NUVBaseUnknown {
 public:
  void On(const char*, void*, NUVNotification*, void*, int) { ++calls; }
  long calls = 0;
};

// Dispatch of n queued notifications to m subscribers: items are n·m
// callbacks, so a flat items-per-second across the arguments is linear.
void BM_ObservationDispatch(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0)), m = static_cast<int>(state.range(1));
  auto* coordinator = new NUVSimMasterObservationAgentList;
  std::vector<CountingSubscriber*> subscribers(m);
  for (auto*& s : subscribers) {
    s = new CountingSubscriber;
    AddCallback(s, coordinator, NUVSimMasterObservation::NUVSIM_CYCLE(),
                NUVSubscriberMethodCast(&CountingSubscriber::On), nullptr);
  }
  std::vector<NUVSimNotification*> notifications(n);
  for (auto*& x : notifications) x = new NUVSimNotification;
  for (auto _ : state) {
    for (NUVSimNotification* x : notifications) coordinator->PostNotification(x, 0);
    coordinator->DispatchNotifications(NUVISimMasterObservation::NUVSimPhaseCycle);
  }
  state.SetItemsProcessed(state.iterations() * n * m);
  for (auto* x : notifications) x->Release();
  for (auto* s : subscribers) s->Release();
  coordinator->Release();
}
BENCHMARK(BM_ObservationDispatch)->Args({100, 1})->Args({100, 10})->Args({1000, 10})->Args({1000, 100});

const int kAgents = 1000;

std::vector<NUVISimAgentKeyFrame_var> MakeAgents() {
  std::vector<NUVISimAgentKeyFrame_var> agents;
  for (int i = 0; i < kAgents; ++i) {
    auto* agent = new NUVSimBasicAgent;
    agents.emplace_back(agent);
    agent->Release();
  }
  return agents;
}

// A current layout and editor with one 3D window, whose viewer a coordinator
// built meanwhile watches.
struct ViewerScene {
  ViewerScene() {
    NUVFrmEditor::SetCurrentEditor(editor);
    NUVFrmLayout::SetCurrentLayout(layout);
    auto* viewer = new NUV3DViewer;
    auto* window = new NUVFrmWindow(editor, viewer);
    layout->AddWindow(window);
    window->Release();
    viewer->Release();
  }
  ~ViewerScene() {
    NUVFrmEditor::SetCurrentEditor(nullptr);
    NUVFrmLayout::SetCurrentLayout(nullptr);
    layout->Release();
    editor->Release();
  }
  NUVFrmLayout* layout = new NUVFrmLayout;
  NUVFrmEditor* editor = new NUVFrmEditor;
};

// One interactive observation of 1,000 registered interactive agents, each
// request made as an occurrence move would make it.
void BM_ObservationApply(benchmark::State& state) {
  ViewerScene scene;
  auto* coordinator = new NUVSimMasterObservationAgentList;
  std::vector<NUVISimAgentKeyFrame_var> agents = MakeAgents();
  for (auto& a : agents) coordinator->AddAgent(a, 0, 0);
  for (auto _ : state) {
    coordinator->RequestObservations();
    benchmark::DoNotOptimize(coordinator->ApplyObservations());
  }
  coordinator->Release();
}
BENCHMARK(BM_ObservationApply);

// The floor: the observation operations of the same agents, in a loop.
void BM_ObservationApply_Floor(benchmark::State& state) {
  std::vector<NUVISimAgentKeyFrame_var> agents = MakeAgents();
  for (auto _ : state) {
    for (auto& a : agents) {
      unsigned char enabled = 1;
      a->GetEnabled(enabled);
      if (!enabled) continue;
      a->Compute();
      a->Commit();
    }
  }
}
BENCHMARK(BM_ObservationApply_Floor);

}  // namespace
