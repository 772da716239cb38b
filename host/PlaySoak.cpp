#include "PlaySoak.h"

#include <chrono>
#include <cstdio>

#include "HeadlessFrame.h"
#include "NUVApplication.h"
#include "NUVHostMemory.h"
#include "NUVHostSignals.h"
#include "PlayObservation.h"
#include "Player.h"

namespace {

// Most growth of the resident memory after the first round, in percent.
const double kMostGrowthPercent = 1.0;

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

PlaySoak::PlaySoak(NUVApplication& app, HeadlessFrame& frame, const PlayCommandApi* api,
                   PlayObservation& observation, const PlayOptions& options,
                   void (*apply)(const PlayOptions&))
    : _App(app),
      _Frame(frame),
      _pApi(api),
      _Observation(observation),
      _Options(options),
      _pApply(apply),
      _Modes(Modes(options)) {}

std::vector<PlaySoak::Mode> PlaySoak::Modes(const PlayOptions& base) {
  std::vector<Mode> modes;
  auto add = [&](const char* name, void (*change)(PlayOptions&), bool fallsBehind = false) {
    Mode mode{name, base, fallsBehind};
    mode.options.controllers = fallsBehind ? std::vector<std::string>{"nt"}
                                           : std::vector<std::string>{"kf", "nt"};
    mode.options.quiet = true;
    mode.options.verbose = false;
    change(mode.options);
    modes.push_back(mode);
  };
  add("synchronous refresh", [](PlayOptions&) {});
  add("synchronous refresh every third step", [](PlayOptions& o) { o.updateRate = 3; });
  add("timed refresh", [](PlayOptions& o) { o.syncRefresh = false, o.updateTime = 0.02; });
  add("graphics updates off", [](PlayOptions& o) { o.graphicsUpdates = false; });
  add("no agent graphics", [](PlayOptions& o) { o.agentGraphics = false; });
  add("master clock", [](PlayOptions& o) { o.masterClock = true; });
  add("real time", [](PlayOptions& o) {
    o.realTime = o.masterClock = true;
    o.realTimeFactor = 100;
  });
  // Each step computes half as long again as the one before: real-time play
  // falls behind within the first second and stops. The modes after it must
  // start without its error.
  add("real time falling behind", [](PlayOptions& o) {
    o.realTime = o.masterClock = true;
    o.realTimeFactor = 1;
    o.costGrowth = 50;
  }, true);
  add("schedule, interval and speed factor", [](PlayOptions& o) {
    o.schedule = {0.3, o.end / 2, o.end};
    o.interval = 0.4;
    o.speedFactor = 2;
  });
  add("runs of five steps, a heavier scene", [](PlayOptions& o) {
    o.iterationsPerRun = 5;
    o.costGrowth = 1;
  });
  return modes;
}

bool PlaySoak::Check(const Mode& mode, const PlayOutcome& outcome, size_t index) {
  const char* controller = outcome.run.controller.c_str();
  if (outcome.interrupted || outcome.stoppedByUser) {
    _Stopped = true;
    return false;
  }
  const bool reachedEnd = outcome.simulated >= mode.options.end - 1e-9;
  // The user read the dialog and closes it.
  if (outcome.errors > 0) _pApi->clearErrors();
  if (mode.fallsBehind && (outcome.errors == 0 || reachedEnd)) {
    std::fprintf(stderr, "velloran-play: soak: %s under %s did not stop on the error dialog\n",
                 mode.name.c_str(), controller);
    return false;
  }
  if (!mode.fallsBehind && (outcome.errors != 0 || !reachedEnd || outcome.steps == 0)) {
    std::fprintf(stderr,
                 "velloran-play: soak: %s under %s ended at %g of %g after %d step(s) with %d "
                 "error(s)\n%s",
                 mode.name.c_str(), controller, outcome.simulated, mode.options.end,
                 outcome.steps, outcome.errors, outcome.dialog.c_str());
    return false;
  }
  // On modelled time a mode plays the same steps in every round: a play
  // that differs took over state from the plays before it.
  if (index == _FirstSteps.size()) _FirstSteps.push_back(outcome.steps);
  if (_FirstSteps[index] != outcome.steps) {
    std::fprintf(stderr, "velloran-play: soak: %s under %s computed %d step(s), %d in the first "
                 "round\n", mode.name.c_str(), controller, outcome.steps, _FirstSteps[index]);
    return false;
  }
  return true;
}

bool PlaySoak::Round() {
  bool moved = false;
  size_t index = 0;
  for (const Mode& mode : _Modes) {
    _pApply(mode.options);
    Player player(_App, _Frame, _pApi, mode.options, false);
    player.SetCoordinator(_Observation.Coordinator());
    for (const std::string& controller : mode.options.controllers) {
      PlayOutcome outcome;
      if (!player.Play(controller, outcome)) return false;
      ++_Plays;
      if (!Check(mode, outcome, index++)) return false;
      // An object moved between two plays, once a round.
      if (!moved && !_Observation.DragAndObserve(_App, _Frame)) return false;
      moved = true;
    }
  }
  return true;
}

int PlaySoak::Run() {
  const auto start = std::chrono::steady_clock::now();
  const long long atStart = NUVHostMemory::ResidentKilobytes();
  long long afterFirst = -1;
  long rounds = 0;
  bool failed = false;
  do {
    failed = !Round();
    if (!failed) ++rounds;
    if (rounds == 1 && !failed) afterFirst = NUVHostMemory::ResidentKilobytes();
  } while (!failed && SecondsSince(start) < _Options.soakSeconds);
  const long long atEnd = NUVHostMemory::ResidentKilobytes();

  std::printf("soak: %ld round(s), %ld play(s) in %.1f s\n", rounds, _Plays, SecondsSince(start));
  if (_Stopped) {
    std::printf("soak: stopped before the end\n");
    return NUVHostSignals::InterruptStatus() != 0 ? NUVHostSignals::InterruptStatus() : 0;
  }
  if (failed) return 1;
  if (atStart < 0 || afterFirst <= 0 || atEnd < 0) {
    std::fprintf(stderr, "velloran-play: soak: the resident memory cannot be read here\n");
    return 1;
  }
  const double growth = 100.0 * static_cast<double>(atEnd - afterFirst) / afterFirst;
  std::printf("soak: resident memory %lld kB at the start, %lld kB after the first round, "
              "%lld kB at the end (%+.2f %% after the first round, at most %+.2f %%)\n",
              atStart, afterFirst, atEnd, growth, kMostGrowthPercent);
  if (growth > kMostGrowthPercent) {
    std::fprintf(stderr, "velloran-play: soak: the resident memory grew after the first round\n");
    return 1;
  }
  return 0;
}
