// The play command: the part of velloran-play that works with the redraw
// agent's own operations. It is a module of its own, linked against
// libVelloran like any simulation command of the application, and loaded
// with dlopen after the library; the host itself reaches the agent only
// through the component dictionary and the agent interfaces.
// Threading: every operation on the user-interface thread (the loop's).
#ifndef PlayCommand_h
#define PlayCommand_h

class NUVBaseUnknown;

struct PlayPacing {
  int withGraphics;        // the agent drives viewers
  double interval;         // redraw interval in simulated time; <= 0: keep
  double speedFactor;      // <= 0: keep
  const double* schedule;  // scheduled redraw values
  int scheduleCount;
};

struct PlayStepState {
  int frameState;
  int observable;
  int drawing;
};

struct PlayCommandApi {
  // Configures the agent (before it is attached to a controller).
  long (*configure)(NUVBaseUnknown* agent, const PlayPacing* pacing);
  // Starts the play loop: the agent's ForceCompute.
  long (*start)(NUVBaseUnknown* agent);
  // The agent's decision for the current step.
  void (*stepState)(NUVBaseUnknown* agent, PlayStepState* state);
  // True while one of the agent's messages is posted, or any message waits
  // in the queue (a message the agent let go of may still be queued).
  int (*busy)(NUVBaseUnknown* agent);
  // Writes the current editor's error dialog as text; returns the number of
  // errors shown.
  int (*errorDialog)(char* buffer, int size);
  // The user's time unit, read through the library's unit services: its
  // label into `label`, and in `perSecond` how many of it make one second.
  void (*timeUnit)(char* label, int size, double* perSecond);
  // `value` as text with the user's number display settings.
  void (*encodeNumber)(double value, int precision, char* buffer, int size);
  // Empties the current editor's errors and drops its dialog, as the user
  // closing the dialog does: the next play starts without errors.
  void (*clearErrors)();
};

// Exported by libVelloranPlayCommand.so.
extern "C" const PlayCommandApi* VelloranPlayCommand();

#endif
