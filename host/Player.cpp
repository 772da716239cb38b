#include "Player.h"

#include <cstdio>

#include "HeadlessFrame.h"
#include "PlayUnits.h"
#include "NUVApplication.h"
#include "NUVBaseUnknown_var.h"
#include "NUVDictionary.h"
#include "NUVHostClock.h"
#include "NUVHostSignals.h"
#include "NUVISimAgentKeyFrame.h"
#include "NUVISimAgentNegociatedTime.h"
#include "NUVOsCalls.h"
#include "NUVOsTerminal.h"
#include "NUVSimPlayScene.h"
#include "PlayClearance.h"
#include "StepRecorder.h"

namespace {

// What one turn of the loop costs on modelled time.
const double kModelledTurnSeconds = 0.0001;

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
  if (o.modelledTime) mode += ", modelled time";
  return mode;
}

}  // namespace

Player::Player(NUVApplication& app, HeadlessFrame& frame, const PlayCommandApi* api,
               const PlayOptions& options, bool keepRows)
    : _App(app),
      _Frame(frame),
      _pApi(api),
      _Options(options),
      _KeepRows(keepRows),
      _ShowProgress(!options.quiet && NUVOsTerminal::IsTerminal(NUVOsTerminal::Output)) {}

bool Player::CreateRedrawAgent(bool negociatedTime, NUVBaseUnknown*& agent) {
  // By name, as the application reaches it.
  void* raw = nullptr;
  if (NUVInstantiateComponent("NUVSimAgentRedraw3D",
                              negociatedTime ? IID_NUVISimAgentNegociatedTime
                                             : IID_NUVISimAgentKeyFrame,
                              &raw) != S_OK) {
    std::fprintf(stderr,
                 "velloran-play: the component \"NUVSimAgentRedraw3D\" is not registered\n");
    return false;
  }
  agent = static_cast<NUVBaseUnknown*>(raw);
  const PlayPacing pacing = {_Options.agentGraphics ? 1 : 0, _Options.interval,
                             _Options.speedFactor, _Options.schedule.data(),
                             static_cast<int>(_Options.schedule.size())};
  if (_pApi->configure(agent, &pacing) != S_OK) {
    std::fprintf(stderr, "velloran-play: the redraw agent refused the pacing options\n");
    return false;
  }
  return true;
}

bool Player::Play(const std::string& controller, PlayOutcome& out) {
  const bool nt = controller == "nt";
  _Controller = controller;
  out.run.controller = controller;
  out.run.mode = ModeOf(_Options, controller);
  out.run.realTimeFactor = nt && _Options.realTime ? _Options.realTimeFactor : 0;

  NUVBaseUnknown_var agent;
  NUVBaseUnknown* raw = nullptr;
  const bool created = CreateRedrawAgent(nt, raw);
  agent.Attach(raw);
  if (!created) return false;

  // The redraw agent first, then the recorder that reads its decisions,
  // then the moving objects.
  // Declared before the scene: the scene's clearance agent points to it.
  PlayClearance clearance(_pClearance);
  NUVSimPlayScene scene(nt ? NUVSimPlayScene::NegociatedTime : NUVSimPlayScene::KeyFrame);
  if (_pCoordinator && scene.UseMasterObservation(_pCoordinator) != S_OK) {
    std::fprintf(stderr, "velloran-play: the coordinator has no main agent to play\n");
    return false;
  }
  NUVVar<NUVBaseUnknown> recorderHeld;
  StepRecorder* recorder = nullptr;
  recorder = new StepRecorder(_pApi, agent, _KeepRows ? &out.run.steps : nullptr,
                              [&] { Update(*recorder, out, false); });
  recorderHeld.Attach(recorder);
  if (scene.AddMember(agent) != S_OK || scene.AddMember(recorder) != S_OK) {
    std::fprintf(stderr, "velloran-play: the scene refused its agents\n");
    return false;
  }
  scene.AddMovers(3, _Options.end, _Options.costGrowth > 0 ? 10.0 : 0.0,
                  1.0 + _Options.costGrowth / 100.0);
  if (_pClearance && !clearance.Watch(scene)) return false;
  if (scene.Start(_Options.end, _Options.step, nt ? _Options.iterationsPerRun : 1) != S_OK) {
    std::fprintf(stderr, "velloran-play: the controller refused the play range\n");
    return false;
  }
  RunLoop(scene, agent, *recorder, out);

  char dialog[8192];
  out.errors = _pApi->errorDialog(dialog, sizeof dialog);
  out.dialog = dialog;
  if (_pClearance) out.clearance = clearance.Report();
  return true;
}

void Player::RunLoop(NUVSimPlayScene& scene, NUVBaseUnknown* agent, StepRecorder& recorder,
                     PlayOutcome& out) {
  _FramesBefore = _Frame.FramesDrawn();
  _Start = NUVHostClock::Now();
  _LastProgress = -1;
  recorder.StartClock();
  // With the agent's graphics on, ForceCompute starts the loop of messages;
  // without, nothing posts messages and the host iterates the controller.
  const bool messages = _Options.agentGraphics;
  if (messages) _pApi->start(agent);
  while (scene.Playing() || (messages && _pApi->busy(agent))) {
    if (messages) _App.RunOneTurn(50);
    else scene.Iterate();
    if (_Options.modelledTime) NUVHostClock::Spend(kModelledTurnSeconds);
    StopWhenAsked(scene, out);
    Update(recorder, out, false);
  }
  Update(recorder, out, true);
}

bool Player::QuitTyped() {
  bool quit = false;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_CHAR && (message.wParam == 'q' || message.wParam == 27)) quit = true;
  }
  return quit;
}

void Player::StopWhenAsked(NUVSimPlayScene& scene, PlayOutcome& out) {
  const bool quit = QuitTyped();
  if (!scene.Playing()) return;
  if (NUVHostSignals::InterruptStatus() != 0) {
    out.interrupted = true;
    scene.Stop();
  } else if (quit) {
    out.stoppedByUser = true;
    scene.Stop();
  }
}

void Player::Update(const StepRecorder& recorder, PlayOutcome& out, bool last) {
  const double now = NUVHostClock::Now() - _Start;
  out.steps = recorder.Steps();
  out.observed = recorder.Observed();
  out.simulated = recorder.LastValue();
  out.frames = _Frame.FramesDrawn() - _FramesBefore;
  if (last) out.realSeconds = now;
  if (_ShowProgress && (last || now - _LastProgress >= 0.1)) {
    Progress(out, now, last);
    _LastProgress = now;
  }
}

void Player::Progress(const PlayOutcome& out, double now, bool last) {
  const int width = 28;
  double fraction = _Options.end > 0 ? out.simulated / _Options.end : 1;
  if (fraction > 1) fraction = 1;
  if (fraction < 0) fraction = 0;
  const int filled = static_cast<int>(fraction * width + 0.5);
  std::string bar(filled, '#');
  bar.append(width - filled, '-');
  std::printf("\r  %s [%s] t=%7.3f/%g  frames %5d  steps %5d", _Controller.c_str(), bar.c_str(),
              out.simulated, _Options.end, out.frames, out.steps);
  if (_Options.realTime && _Controller == "nt" && now > 0) {
    std::printf("  factor %.2f wanted / %.2f achieved", _Options.realTimeFactor,
                out.simulated / now);
  }
  if (last) std::printf("\n");
  std::fflush(stdout);
}

void PrintOutcome(const PlayOutcome& o, const PlayUnits* units) {
  std::printf("%s, %s\n",
              o.run.controller == "kf" ? "key-frame controller" : "negotiated-time controller",
              o.run.mode.c_str());
  std::printf("  steps computed   %d\n", o.steps);
  std::printf("  steps observed   %d\n", o.observed);
  std::printf("  frames drawn     %d\n", o.frames);
  if (units) {
    std::printf("  real time        %s\n", units->Time(o.realSeconds).c_str());
    std::printf("  simulated time   %s\n", units->Time(o.simulated).c_str());
  } else {
    std::printf("  real time        %.3f s\n", o.realSeconds);
    std::printf("  simulated time   %.3f\n", o.simulated);
  }
  if (o.realSeconds > 0) {
    std::printf("  ratio            %.2f simulated per real second\n", o.simulated / o.realSeconds);
  }
  if (o.stoppedByUser) std::printf("  stopped by the user\n");
  if (o.interrupted) std::printf("  interrupted\n");
  std::printf("%s", o.clearance.c_str());
  if (o.errors > 0) std::printf("%s", o.dialog.c_str());
}
