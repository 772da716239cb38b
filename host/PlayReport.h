// What velloran-play records while it plays, and the files it writes from
// it: a CSV trace and an SVG timeline.
//
//   WriteTrace(traceStream, runs);
//   WritePlot(plotStream, runs);
//
// The caller checks the streams. Threading: main thread.
#ifndef PlayReport_h
#define PlayReport_h

#include <ostream>
#include <string>
#include <vector>

struct StepRow {
  double realTime;    // seconds since play began
  double simValue;    // simulated value of the step
  int frameState;     // the redraw agent's decision
  int drawn;          // the decision redraws the viewers
};

struct PlayRun {
  std::string controller;  // "kf" or "nt"
  std::string mode;        // pacing mode, for titles
  double realTimeFactor;   // > 0 when played in real time
  std::vector<StepRow> steps;
};

// One row per step, all runs in one file; real time in `timeUnit`, of which
// `perSecond` make one second.
void WriteTrace(std::ostream& out, const std::vector<PlayRun>& runs,
                const std::string& timeUnit = "s", double perSecond = 1);
// Simulated time against real time, drawn frames marked, and in real-time
// play the line of the chosen factor.
void WritePlot(std::ostream& out, const std::vector<PlayRun>& runs);

#endif
