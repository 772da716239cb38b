// velloran-play: the embedded host of the Velloran library.
//
// It stands where the application stands: it creates the application's
// event loop, an editor and a layout with two headless 3D windows, loads
// libVelloran with dlopen, reaches the redraw agent through the component
// dictionary by name, and plays a small scene (objects moving along paths)
// with a key-frame or a negotiated-time controller through the real loop:
// compute message, controller iteration, agents, Commit, draw-or-continue
// message, draw, swap, compute message again.
#include <dlfcn.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "NUV3DViewer.h"
#include "NUVApplication.h"
#include "NUVBaseUnknown_var.h"
#include "NUVDictionary.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVISimAgentKeyFrame.h"
#include "NUVISimAgentNegociatedTime.h"
#include "NUVISimStructuredAgentKeyFrameMgt.h"
#include "NUVISimStructuredAgentNegociatedTimeMgt.h"
#include "NUVSimExecutionOptionsSettings.h"
#include "NUVSimKeyFrameController.h"
#include "NUVSimMovingObjectAgent.h"
#include "NUVSimNegociatedTimeController.h"
#include "PlayCommand.h"
#include "PlayOptions.h"
#include "PlayReport.h"
#include "StepRecorder.h"
#include "TerminalInput.h"

namespace {

typedef std::chrono::steady_clock Clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string ExecutableDir() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  path[n] = 0;
  std::string p(path);
  return p.substr(0, p.rfind('/'));
}

// The headless application frame: one editor, one layout, two 3D windows.
struct Frame {
  NUVFrmEditor* editor = nullptr;
  NUVFrmLayout* layout = nullptr;
  NUVViewer* viewers[2] = {nullptr, nullptr};

  void Build() {
    editor = new NUVFrmEditor;
    layout = new NUVFrmLayout;
    NUVFrmEditor::SetCurrentEditor(editor);
    NUVFrmLayout::SetCurrentLayout(layout);
    for (NUVViewer*& viewer : viewers) {
      viewer = new NUV3DViewer;
      auto* window = new NUVFrmWindow(editor, viewer);
      layout->AddWindow(window);
      window->Release();  // the layout holds it
    }
    layout->SetCurrentWindow(layout->GetWindowList(nullptr, nullptr)[1]);
  }
  void Destroy() {
    NUVFrmEditor::SetCurrentEditor(nullptr);
    NUVFrmLayout::SetCurrentLayout(nullptr);
    for (NUVViewer* viewer : viewers) {
      if (viewer) viewer->Release();
    }
    if (layout) layout->Release();
    if (editor) editor->Release();
  }
  int FramesDrawn() const { return viewers[0] ? viewers[0]->GetDrawCount() : 0; }
};

std::string ModeOf(const PlayOptions& o, const std::string& controller) {
  char text[160];
  if (o.realTime && controller == "nt") {
    std::snprintf(text, sizeof text, "real-time play at %g x real time", o.realTimeFactor);
  } else if (o.syncRefresh) {
    std::snprintf(text, sizeof text, "synchronous refresh, every %d step(s)",
                  o.updateRate < 1 ? 1 : o.updateRate);
  } else {
    std::snprintf(text, sizeof text, "timed refresh, every %g s", o.updateTime);
  }
  std::string mode = text;
  if (o.masterClock && controller == "nt") mode += ", master clock";
  if (!o.graphicsUpdates) mode += ", graphics updates off";
  return mode;
}

void ApplySettings(const PlayOptions& o) {
  typedef NUVSimExecutionOptionsSettings S;
  S::SetSynchronousRefresh(o.syncRefresh ? 1 : 0);
  S::SetUpdateRate(o.updateRate);
  S::SetUpdateTime(static_cast<float>(o.updateTime));
  S::SetRealTimeYesOrNo(o.realTime ? 1 : 0);
  S::SetRealTimeFactor(o.realTimeFactor);
  S::SetMasterClockYesOrNo(o.masterClock ? 1 : 0);
  S::SetGraphicsUpdatesYesOrNo(o.graphicsUpdates ? 1 : 0);
}

// Three objects moving along their paths over the play range.
std::vector<NUVSimMovingObjectAgent*> MakeMovers(double end, double costGrowth) {
  std::vector<NUVSimMovingObjectAgent*> movers;
  const char* names[] = {"Cube", "Sphere", "Cone"};
  for (int i = 0; i < 3; ++i) {
    auto* mover = new NUVSimMovingObjectAgent(names[i]);
    if (costGrowth > 0) mover->SetComputeCost(10.0, 1.0 + costGrowth / 100.0);
    // A way point every quarter of a time unit: under negotiated time the
    // movers propose them, so play stops on each.
    const int points = static_cast<int>(end * 4);
    for (int k = 0; k <= points; ++k) {
      double at = end * k / points;
      mover->AddWayPoint(NUVSimValue(at), k * (i + 1.0), (k % 2) * 2.0 - i, 0.5 * i * k);
    }
    movers.push_back(mover);
  }
  return movers;
}

struct Outcome {
  PlayRun run;
  int steps = 0;
  int observed = 0;
  int frames = 0;
  double realSeconds = 0;
  double simulated = 0;
  int errors = 0;
  std::string dialog;
  bool stoppedByUser = false;
};

class Player {
 public:
  Player(NUVApplication& app, Frame& frame, const PlayCommandApi* api, const PlayOptions& o,
         TerminalInput& keys)
      : _App(app), _Frame(frame), _Api(api), _Options(o), _Keys(keys) {}

  bool Play(const std::string& controller, Outcome& out);

 private:
  void Progress(const Outcome& out, const std::string& controller, double now, bool last);

  NUVApplication& _App;
  Frame& _Frame;
  const PlayCommandApi* _Api;
  const PlayOptions& _Options;
  TerminalInput& _Keys;
};

void Player::Progress(const Outcome& out, const std::string& controller, double now, bool last) {
  const int width = 28;
  double fraction = _Options.end > 0 ? out.simulated / _Options.end : 1;
  if (fraction > 1) fraction = 1;
  int filled = static_cast<int>(fraction * width + 0.5);
  std::string bar(filled, '#');
  bar.append(width - filled, '-');
  std::printf("\r  %s [%s] t=%7.3f/%g  frames %5d  steps %5d", controller.c_str(), bar.c_str(),
              out.simulated, _Options.end, _Frame.FramesDrawn() - out.frames, out.steps);
  if (_Options.realTime && controller == "nt" && now > 0) {
    std::printf("  factor %.2f wanted / %.2f achieved", _Options.realTimeFactor,
                out.simulated / now);
  }
  if (last) std::printf("\n");
  std::fflush(stdout);
}

bool Player::Play(const std::string& controller, Outcome& out) {
  const bool nt = controller == "nt";
  out.run.controller = controller;
  out.run.mode = ModeOf(_Options, controller);
  out.run.realTimeFactor = nt && _Options.realTime ? _Options.realTimeFactor : 0;

  // The redraw agent, by name, as the application reaches it.
  void* raw = nullptr;
  if (NUVInstantiateComponent("NUVSimAgentRedraw3D",
                              nt ? IID_NUVISimAgentNegociatedTime : IID_NUVISimAgentKeyFrame,
                              &raw) != S_OK) {
    std::fprintf(stderr, "velloran-play: the component \"NUVSimAgentRedraw3D\" is not registered\n");
    return false;
  }
  NUVBaseUnknown_var agent;
  agent.Attach(static_cast<NUVBaseUnknown*>(raw));
  PlayPacing pacing = {_Options.agentGraphics ? 1 : 0, _Options.interval, _Options.speedFactor,
                       _Options.schedule.data(), static_cast<int>(_Options.schedule.size())};
  if (_Api->configure(agent, &pacing) != S_OK) {
    std::fprintf(stderr, "velloran-play: the redraw agent refused the pacing options\n");
    return false;
  }

  std::vector<NUVSimMovingObjectAgent*> movers = MakeMovers(_Options.end, _Options.costGrowth);
  // Rows are kept only for the files that show them: a real-time play
  // computes tens of thousands of steps a second.
  const bool keepRows = !_Options.tracePath.empty() || !_Options.plotPath.empty();
  auto* recorder = new StepRecorder(_Api, agent, keepRows ? &out.run.steps : nullptr);
  NUVBaseUnknown_var structured;
  NUVSimKeyFrameController* kfController = nullptr;
  NUVSimNegociatedTimeController* ntController = nullptr;
  if (nt) {
    raw = nullptr;
    NUVInstantiateComponent("NUVSimProbesStructuredAgentNT",
                            IID_NUVISimStructuredAgentNegociatedTimeMgt, &raw);
    NUVVar<NUVISimStructuredAgentNegociatedTimeMgt> members;
    members.Attach(static_cast<NUVISimStructuredAgentNegociatedTimeMgt*>(raw));
    NUVISimAgentNegociatedTime_var redraw(agent.get());
    members->AddMember(redraw);
    NUVISimAgentNegociatedTime_var recording(recorder);
    members->AddMember(recording);
    for (auto* m : movers) {
      NUVISimAgentNegociatedTime_var member(m);
      members->AddMember(member);
    }
    structured = members.get();
    ntController = new NUVSimNegociatedTimeController;
    ntController->SetStartEnd(NUVSimValue(0.0), NUVSimValue(_Options.end));
    ntController->SetDefaultStep(NUVSimValue(_Options.step));
    if (_Options.iterationsPerRun > 1) ntController->SetIterationsPerRun(_Options.iterationsPerRun);
    NUVISimAgentNegociatedTime_var top(structured.get());
    ntController->SetControlledAgent(top);
  } else {
    raw = nullptr;
    NUVInstantiateComponent("NUVSimProbesStructuredAgentKF", IID_NUVISimStructuredAgentKeyFrameMgt,
                            &raw);
    NUVVar<NUVISimStructuredAgentKeyFrameMgt> members;
    members.Attach(static_cast<NUVISimStructuredAgentKeyFrameMgt*>(raw));
    NUVISimAgentKeyFrame_var redraw(agent.get());
    members->AddMember(redraw);
    NUVISimAgentKeyFrame_var recording(recorder);
    members->AddMember(recording);
    for (auto* m : movers) {
      NUVISimAgentKeyFrame_var member(m);
      members->AddMember(member);
    }
    structured = members.get();
    kfController = new NUVSimKeyFrameController;
    kfController->SetKeyFrames(NUVSimValue(0.0), NUVSimValue(_Options.end),
                               NUVSimValue(_Options.step));
    NUVISimAgentKeyFrame_var top(structured.get());
    kfController->SetControlledAgent(top);
  }
  auto playing = [&] {
    unsigned char more = 1;
    if (nt) ntController->CanContinue(more); else kfController->CanContinue(more);
    return more != 0;
  };
  const bool progress = !_Options.quiet && isatty(1);
  const int framesBefore = _Frame.FramesDrawn();
  out.frames = framesBefore;
  const Clock::time_point start = Clock::now();
  double lastProgress = -1;
  recorder->StartClock();
  // With the agent's graphics on, ForceCompute starts the loop of messages;
  // without, nothing posts messages and the host iterates the controller.
  const bool messages = _Options.agentGraphics;
  if (messages) _Api->start(agent);
  while (playing() || (messages && _Api->busy(agent))) {
    if (messages) {
      _App.RunOneTurn(50);
      _Keys.Pump();
      if (_Keys.QuitRequested() && playing()) {
        if (nt) ntController->Stop(); else kfController->Stop();
        out.stoppedByUser = true;
      }
    } else if (nt) {
      ntController->Iterate();
    } else {
      kfController->Iterate();
    }
    out.steps = recorder->Steps();
    out.observed = recorder->Observed();
    out.simulated = recorder->LastValue();
    double now = Since(start);
    if (progress && now - lastProgress >= 0.1) {
      Progress(out, controller, now, false);
      lastProgress = now;
    }
    if (messages && !playing() && !_Api->busy(agent)) break;
  }
  out.realSeconds = Since(start);
  if (progress) Progress(out, controller, out.realSeconds, true);
  out.frames = _Frame.FramesDrawn() - framesBefore;

  // Detach: the controller and its agents hold one another.
  if (nt) {
    NUVISimAgentNegociatedTime_var none;
    ntController->SetControlledAgent(none);
    ntController->Release();
  } else {
    NUVISimAgentKeyFrame_var none;
    kfController->SetControlledAgent(none);
    kfController->Release();
  }
  for (auto* m : movers) m->Release();
  recorder->Release();

  char dialog[8192];
  out.errors = _Api->errorDialog(dialog, sizeof dialog);
  out.dialog = dialog;
  return true;
}

void PrintOutcome(const Outcome& o) {
  std::printf("%s, %s\n", o.run.controller == "kf" ? "key-frame controller" : "negotiated-time controller",
              o.run.mode.c_str());
  std::printf("  steps computed   %d\n", o.steps);
  std::printf("  steps observed   %d\n", o.observed);
  std::printf("  frames drawn     %d\n", o.frames);
  std::printf("  real time        %.3f s\n", o.realSeconds);
  std::printf("  simulated time   %.3f\n", o.simulated);
  if (o.realSeconds > 0) {
    std::printf("  ratio            %.2f simulated per real second\n", o.simulated / o.realSeconds);
  }
  if (o.stoppedByUser) std::printf("  stopped by the user\n");
  if (o.errors > 0) std::printf("%s", o.dialog.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  PlayOptions options;
  int parsed = ParsePlayOptions(argc, argv, options);
  if (parsed == 1) return 0;
  if (parsed != 0) return 2;

  NUVApplication app("velloran-play");
  NUVViewer::EnableAutomaticSwaps(1);
  Frame frame;
  frame.Build();
  ApplySettings(options);

  const std::string dir = ExecutableDir();
  const std::string libraryPath = dir + "/../lib/libVelloran.so";
  const std::string commandPath = dir + "/../lib/libVelloranPlayCommand.so";
  void* library = dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_GLOBAL);
  if (!library) {
    std::fprintf(stderr, "velloran-play: cannot load %s: %s\n", libraryPath.c_str(), dlerror());
    frame.Destroy();
    return 1;
  }
  void* command = dlopen(commandPath.c_str(), RTLD_NOW);
  auto entry = command ? reinterpret_cast<const PlayCommandApi* (*)()>(
                             dlsym(command, "VelloranPlayCommand"))
                       : nullptr;
  if (!entry) {
    std::fprintf(stderr, "velloran-play: cannot load %s: %s\n", commandPath.c_str(), dlerror());
    dlclose(library);
    frame.Destroy();
    return 1;
  }

  TerminalInput keys(app);
  if (keys.Active() && !options.quiet && isatty(1)) {
    std::printf("press any key to end a long run early, q to stop play\n");
  }
  Player player(app, frame, entry(), options, keys);
  std::vector<PlayRun> runs;
  int status = 0;
  for (const std::string& controller : options.controllers) {
    Outcome outcome;
    if (!player.Play(controller, outcome)) {
      status = 1;
      break;
    }
    PrintOutcome(outcome);
    runs.push_back(outcome.run);
    if (outcome.stoppedByUser) break;
    // Play that ended on a simulation error did not end normally.
    if (outcome.errors > 0) status = 1;
  }
  if (!options.tracePath.empty()) {
    if (WriteTrace(options.tracePath, runs)) {
      std::printf("trace written to %s\n", options.tracePath.c_str());
    } else {
      std::fprintf(stderr, "velloran-play: cannot write %s\n", options.tracePath.c_str());
      status = 1;
    }
  }
  if (!options.plotPath.empty()) {
    if (WritePlot(options.plotPath, runs)) {
      std::printf("plot written to %s\n", options.plotPath.c_str());
    } else {
      std::fprintf(stderr, "velloran-play: cannot write %s\n", options.plotPath.c_str());
      status = 1;
    }
  }

  // Unloading the library deletes its message queue; the loop then runs the
  // delayed destruction of the queue's command.
  dlclose(command);
  dlclose(library);
  for (int i = 0; i < 100 && app.PendingTimeOuts() > 0; ++i) app.RunOneTurn(0);
  frame.Destroy();
  return status;
}
