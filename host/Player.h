// Player: plays velloran-play's scene once per controller through the real
// loop and reports what happened.
//
//   Player player(app, frame, api, options, keysAttached);
//   PlayOutcome outcome;
//   if (player.Play("nt", outcome)) PrintOutcome(outcome);
//
// Play stops early, at the next turn of the loop, when the user types q or
// Escape (stoppedByUser) or an interrupt or termination signal comes
// (interrupted); the steps played so far are kept.
// Threading: user-interface thread (the loop's).
#ifndef Player_h
#define Player_h

#include <string>

#include "PlayClearanceCommand.h"
#include "PlayCommand.h"
#include "PlayOptions.h"
#include "PlayReport.h"

class HeadlessFrame;
class NUVApplication;
class NUVBaseUnknown;
class NUVISimMasterObservation;
class NUVSimPlayScene;
class StepRecorder;

struct PlayOutcome {
  PlayRun run;
  int steps = 0;
  int observed = 0;
  int frames = 0;
  double realSeconds = 0;
  double simulated = 0;
  int errors = 0;
  std::string dialog;
  std::string clearance;  // the clearance check's report (--clearance)
  bool stoppedByUser = false;
  bool interrupted = false;
};

class Player {
 public:
  // `keepRows`: record one row per step for the files.
  Player(NUVApplication& app, HeadlessFrame& frame, const PlayCommandApi* api,
         const PlayOptions& options, bool keepRows);

  // Plays the scene through this coordinator (null: a structured agent of
  // the scene's own): its main agent is played and the scene's agents are
  // registered with it.
  void SetCoordinator(NUVISimMasterObservation* coordinator) { _pCoordinator = coordinator; }
  // Checks the moving objects' clearance with these services (null: no
  // check).
  void SetClearance(const PlayClearanceApi* api) { _pClearance = api; }

  // Plays the scene under "kf" or "nt". False, with a message, when play
  // could not start.
  bool Play(const std::string& controller, PlayOutcome& out);

 private:
  bool CreateRedrawAgent(bool negociatedTime, NUVBaseUnknown*& agent);
  void RunLoop(NUVSimPlayScene& scene, NUVBaseUnknown* agent, StepRecorder& recorder,
               PlayOutcome& out);
  // Takes the waiting input off the queue once the turn had a chance to see
  // it; true when it held q or Escape.
  bool QuitTyped();
  // Stops play when the user or a signal asks for it.
  void StopWhenAsked(NUVSimPlayScene& scene, PlayOutcome& out);
  void Update(const StepRecorder& recorder, PlayOutcome& out, bool last);
  void Progress(const PlayOutcome& out, double now, bool last);

  NUVApplication& _App;
  HeadlessFrame& _Frame;
  const PlayCommandApi* _pApi;
  NUVISimMasterObservation* _pCoordinator = nullptr;  // borrowed
  const PlayClearanceApi* _pClearance = nullptr;
  const PlayOptions& _Options;
  const bool _KeepRows;
  bool _ShowProgress;
  std::string _Controller;
  double _Start = 0, _LastProgress = -1;
  int _FramesBefore = 0;
};

class PlayUnits;

// The summary of one play, as the user reads it; its times in the user's
// time unit when `units` is given.
void PrintOutcome(const PlayOutcome& outcome, const PlayUnits* units = nullptr);

#endif
