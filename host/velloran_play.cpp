// velloran-play: the embedded host of the Velloran library.
//
// It stands where the application stands: it creates the application's
// event loop, an editor and a layout with two headless 3D windows, loads
// libVelloran, reaches the redraw agent through the component dictionary by
// name, and plays a small scene (objects moving along paths) with a
// key-frame or a negotiated-time controller through the real loop: compute
// message, controller iteration, agents, Commit, draw-or-continue message,
// draw, swap, compute message again. The scene is played through the master
// observation coordinator of the default context, whose notifications it can print
// (--verbose), and between two plays an object can be moved as a user drags
// it, which the coordinator answers with one interactive observation
// (--interactive). Everything it needs from the system comes through the
// platform layer. Threading: one thread, the loop's.
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "HeadlessFrame.h"
#include "NUVApplication.h"
#include "NUVDisplayRefresh.h"
#include "NUVHostClock.h"
#include "NUVHostInput.h"
#include "NUVHostPaths.h"
#include "NUVHostSignals.h"
#include "NUVOsLibrary.h"
#include "NUVOsTerminal.h"
#include "NUVSimExecutionOptionsSettings.h"
#include "NUVViewer.h"
#include "PlayCoReview.h"
#include "PlayCommand.h"
#include "NUVGetPLMStateMonitor.h"
#include "NUVGetPLMStateSynchronousEventDispatcher.h"
#include "PlayClearanceCommand.h"
#include "PlayFiles.h"
#include "PlayObservation.h"
#include "PlaySoak.h"
#include "PlayUnits.h"
#include "Player.h"

namespace {

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

// Standard output closed (the command ran with >&-): what play prints would
// be lost, and the first file opened would take its place.
bool StandardOutputOpen() {
  errno = 0;
  return !(std::ftell(stdout) < 0 && errno == EBADF);
}

// The clock and the displays the options ask for. False with a message when
// the system cannot give them.
bool SetUpClockAndDisplays(const PlayOptions& o) {
  if (o.modelledTime && !NUVHostClock::UseModelledTime(true)) {
    std::fprintf(stderr, "velloran-play: modelled time is not available here\n");
    return false;
  }
  // On modelled time a display waiting for real refresh ticks would make
  // the number of loop turns, and so the modelled time, depend on the machine.
  if (NUVDisplayRefresh::SetRate(o.modelledTime ? 0 : o.refreshRate) != 0) {
    std::fprintf(stderr, "velloran-play: the displays refuse a refresh rate of %g Hz\n",
                 o.refreshRate);
    return false;
  }
  return true;
}

// libVelloran and the play command, loaded as the application loads them,
// unloaded in the reverse order.
class Libraries {
 public:
  ~Libraries() {
    if (_pCommand) NUVOsLibrary::Unload(_pCommand);
    if (_pLibrary) NUVOsLibrary::Unload(_pLibrary);
  }
  // The play command's operations; null, with a message, on failure.
  const PlayCommandApi* Load() {
    const std::string folder = NUVHostPaths::PlatformLibraryFolder();
    _pLibrary = LoadOne(folder + "/" + NUVOsLibrary::FileName("Velloran"));
    _pCommand = _pLibrary ? LoadOne(folder + "/" + NUVOsLibrary::FileName("VelloranPlayCommand")) : nullptr;
    if (!_pCommand) return nullptr;
    auto entry = reinterpret_cast<const PlayCommandApi* (*)()>(
        NUVOsLibrary::Symbol(_pCommand, "VelloranPlayCommand"));
    if (!entry) std::fprintf(stderr, "velloran-play: the play command has no entry point\n");
    return entry ? entry() : nullptr;
  }
  // The clearance command's operations (after Load); null, with a message,
  // when the module lacks them.
  const PlayClearanceApi* Clearance() {
    auto entry = reinterpret_cast<const PlayClearanceApi* (*)()>(
        _pCommand ? NUVOsLibrary::Symbol(_pCommand, "VelloranPlayClearance") : nullptr);
    if (!entry) std::fprintf(stderr, "velloran-play: the play command has no clearance check\n");
    return entry ? entry() : nullptr;
  }

 private:
  static void* LoadOne(const std::string& path) {
    std::string error;
    void* library = NUVOsLibrary::Load(path.c_str(), &error);
    if (!library) {
      std::fprintf(stderr, "velloran-play: cannot load %s: %s\n", path.c_str(), error.c_str());
    }
    return library;
  }
  void* _pLibrary = nullptr;
  void* _pCommand = nullptr;
};

// Plays each controller in turn; the runs played, and the status so far.
// `between` runs after the first play (--interactive); false ends it all.
template <class Between>
int PlayAll(Player& player, const PlayOptions& options, std::vector<PlayRun>& runs,
            const PlayUnits* units, Between between) {
  int status = 0;
  for (const std::string& controller : options.controllers) {
    PlayOutcome outcome;
    if (!player.Play(controller, outcome)) return 1;
    PrintOutcome(outcome, units);
    runs.push_back(outcome.run);
    if (outcome.stoppedByUser || outcome.interrupted) break;
    // Play that ended on a simulation error did not end normally.
    if (outcome.errors > 0) status = 1;
    if (runs.size() == 1 && !between()) return 1;
  }
  return status;
}

// Lets the loop finish what unloading the library left to it (the delayed
// destruction of the queue's command).
void Drain(NUVApplication& app) {
  for (int i = 0; i < 100 && app.PendingTimeOuts() > 0; ++i) app.RunOneTurn(0);
}

int Run(NUVApplication& app, const PlayOptions& options, PlayFiles& files) {
  HeadlessFrame frame;
  ApplySettings(options);
  std::vector<PlayRun> runs;
  int status = 1;
  {
    Libraries libraries;
    const PlayCommandApi* api = libraries.Load();
    if (!api) return 1;
    PlayObservation observation(options.verbose);
    if (!observation.Attach(frame.Editor())) return 1;
    PlayCoReview coreview(app, options.coreview, options.quiet);
    if (!coreview.Start(observation.Coordinator())) return 1;
    const bool keys = NUVHostInput::AttachTerminal(app);
    NUVHostSignals::StopOnInterrupt(app);
    if (keys && !options.quiet && NUVOsTerminal::IsTerminal(NUVOsTerminal::Output)) {
      std::printf("press any key to end a long run early, q to stop play\n");
    }
    Player player(app, frame, api, options, files.Wanted());
    player.SetCoordinator(observation.Coordinator());
    if (options.clearance) {
      const PlayClearanceApi* clearance = libraries.Clearance();
      if (!clearance) return 1;
      player.SetClearance(clearance);
    }
    if (coreview.Following()) {
      status = coreview.Follow();
    } else if (options.soakSeconds >= 0) {
      status = PlaySoak(app, frame, api, observation, options, &ApplySettings).Run();
    } else {
      const PlayUnits units(api);
      if (options.units) files.SetTraceTimeUnit(units.Label(), units.PerSecond());
      status = PlayAll(player, options, runs, options.units ? &units : nullptr, [&] {
        return !options.interactive || observation.DragAndObserve(app, frame);
      });
    }
    coreview.End();
    NUVHostInput::DetachTerminal();
  }
  NUVGetPLMStateSynchronousEventDispatcher::DestroyPLMStateSynchronousEventDispatcher();
  NUVGetPLMStateMonitor::DestroyPLMStateMonitor();
  Drain(app);
  if (!files.Write(runs)) status = 1;
  if (NUVHostSignals::InterruptStatus() != 0) status = NUVHostSignals::InterruptStatus();
  NUVHostSignals::Restore();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  PlayOptions options;
  const int parsed = ParsePlayOptions(argc, argv, options);
  if (parsed == 1) return 0;
  if (parsed != 0) return 2;
  if (!StandardOutputOpen()) {
    std::fprintf(stderr, "velloran-play: the standard output is closed\n");
    return 2;
  }
  if (!options.timeUnit.empty() && !PlayUnits::SelectTimeUnit(options.timeUnit)) {
    std::fprintf(stderr, "velloran-play: the platform has no time unit %s\n",
                 options.timeUnit.c_str());
    return 2;
  }
  PlayFiles files;
  if (!files.Open(options)) return 2;
  if (!SetUpClockAndDisplays(options)) return 1;

  NUVApplication app("velloran-play");
  NUVViewer::EnableAutomaticSwaps(1);
  int status = Run(app, options, files);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "velloran-play: the standard output could not be written in full\n");
    if (status == 0) status = 1;
  }
  return status;
}
