// Command line of velloran-play: what to play and how, checked in full
// (every number finite and in its range) before play starts.
//
//   PlayOptions options;
//   if (ParsePlayOptions(argc, argv, options) != 0) return ...;
//
// Threading: main thread, before play.
#ifndef PlayOptions_h
#define PlayOptions_h

#include <string>
#include <vector>

#include "PlayCoReviewOptions.h"

struct PlayOptions {
  std::vector<std::string> controllers{"kf", "nt"};  // played in this order
  double end = 10.0;       // simulated end time
  double step = 0.05;      // key-frame step; negotiated time's default step
  bool syncRefresh = true;
  int updateRate = 1;
  double updateTime = 0.1;
  bool realTime = false;
  double realTimeFactor = 1.0;
  bool masterClock = false;
  double interval = 0.1;
  double speedFactor = 1.0;
  std::vector<double> schedule;
  bool graphicsUpdates = true;
  bool agentGraphics = true;
  std::string tracePath;
  std::string plotPath;
  bool quiet = false;
  int iterationsPerRun = 1;  // negotiated time: steps computed per compute message
  double costGrowth = 0;     // percent more compute time per step for each mover; 0: free
  double refreshRate = 60;   // of the headless displays, Hz; 0: as soon as the loop turns
  bool modelledTime = false; // the clock reads the scene's cost model, not real time
  bool verbose = false;      // print the coordinator's phase and cycle notifications
  bool interactive = false;  // move an object after the first play and observe interactively
  bool units = false;        // times shown in the user's time unit
  std::string timeUnit;      // the user's time unit to select first; empty: keep
  bool clearance = false;    // report the moving objects that came closer than their boxes allow
  double soakSeconds = -1;   // play every mode in turn for this long (PlaySoak); < 0: play once
  PlayCoReviewOptions coreview;
};

// Parses argv into `options`. Returns 0 to play, 1 when --help was shown,
// 2 after printing a message for a bad command line.
int ParsePlayOptions(int argc, char** argv, PlayOptions& options);

#endif
