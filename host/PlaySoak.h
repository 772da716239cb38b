// PlaySoak: velloran-play's soak run (--soak SECONDS). The scene is played
// over and over in one process, round after round until the time is up: a
// round plays every pacing mode with both controllers, moves an object
// between two plays (the coordinator's interactive observation), and ends
// with a real-time play that falls behind and stops on the error dialog.
// Time is modelled (--soak implies --modelled-time), so every play of a
// mode computes the same steps on any machine; only the number of rounds
// depends on the machine's speed.
//
// It prints the resident memory at the start, after the first round and at
// the end, and fails when memory grew by more than 1 % after the first round
// (what the first round allocates is kept for the rest of the run: caches,
// the error manager, the loaded classes), or when a play did not end the way
// its mode must end or computed another number of steps than in the first
// round.
//
//   PlaySoak soak(app, frame, api, observation, options, &ApplySettings);
//   int status = soak.Run();
//
// Threading: user-interface thread (the loop's).
#ifndef PlaySoak_h
#define PlaySoak_h

#include <string>
#include <vector>

#include "PlayCommand.h"
#include "PlayOptions.h"

class HeadlessFrame;
class NUVApplication;
class PlayObservation;
struct PlayOutcome;

class PlaySoak {
 public:
  // `apply` makes a mode's options the settings of the application (the
  // execution options every play reads).
  PlaySoak(NUVApplication& app, HeadlessFrame& frame, const PlayCommandApi* api,
           PlayObservation& observation, const PlayOptions& options,
           void (*apply)(const PlayOptions&));

  // Plays rounds until the options' soak time has passed (one round at
  // least) and prints the figures. The exit status: 0, 1 after a failure
  // (with a message), or the interrupt status after Ctrl-C.
  int Run();

 private:
  struct Mode {
    std::string name;
    PlayOptions options;
    bool fallsBehind;  // negotiated time only; ends on the error dialog
  };
  static std::vector<Mode> Modes(const PlayOptions& base);
  // Plays every mode once; false, with a message, on a failure or a stop.
  bool Round();
  // Checks the `index`-th play of a round; false, with a message, when it
  // did not end the way its mode must end.
  bool Check(const Mode& mode, const PlayOutcome& outcome, size_t index);

  NUVApplication& _App;
  HeadlessFrame& _Frame;
  const PlayCommandApi* _pApi;
  PlayObservation& _Observation;
  const PlayOptions& _Options;
  void (*_pApply)(const PlayOptions&);
  std::vector<Mode> _Modes;
  std::vector<int> _FirstSteps;  // steps of each play of the first round
  long _Plays = 0;
  bool _Stopped = false;
};

#endif
