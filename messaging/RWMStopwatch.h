// RWMStopwatch: measures elapsed real time, which the redraw pacing compares
// with simulated time.
//
// Reads the performance counter, or the millisecond tick count on a system
// without one. Starts nest: start() pushes a start time, reset() pops the
// innermost one, and read() always measures from the innermost start, up to
// now while running or up to the recorded stop once stopped.
//
//   RWMStopwatch watch;
//   watch.start(); ...; double seconds = watch.read();
//
//   state    | start()                        | stop()      | reset()
//   idle     | push; running                  | nothing     | nothing
//   running  | push another level             | record stop | pop innermost
//   stopped  | clear stop, pop, push: running | nothing     | clear stop, pop innermost
// After a pop the stopwatch runs from the next outer start, or is idle.
//
// Threading: user-interface thread only. Every constructor rewrites the
// class-wide frequency and fallback flag without a lock.
#ifndef RWMStopwatch_h
#define RWMStopwatch_h

#include "NUVOsCalls.h"
#include "NUVRawCollPV.h"
#include "VelloranExport.h"

class VELLORAN_EXPORT RWMStopwatch {
 public:
  // Queries the counter frequency again; a failed query (or a frequency
  // that is not positive) switches every stopwatch to the tick count for
  // the rest of the process: a later successful query does not switch back.
  RWMStopwatch();
  // Frees every timestamp.
  ~RWMStopwatch();
  // A copy has its own timestamps, equal to the original's.
  RWMStopwatch(const RWMStopwatch& other);
  RWMStopwatch& operator=(const RWMStopwatch& other);

  void start();
  // Records the stop time; only while running, so a second stop keeps the
  // first stop time.
  void stop();
  // Clears the stop and pops the innermost start.
  void reset();

  // Seconds from the innermost start; 0.0 at depth 0.
  double read() const;
  // Microseconds from the innermost start, truncated toward zero; 0 at depth 0.
  long long readMicro() const;
  // Depth at least 1 and no stop recorded.
  bool isRunning() const;
  // Number of starts on the stack.
  int depth() const;

  // Seconds per count: 0.001 on the tick count, else 1 / frequency.
  static double GetResolution();
  // Microseconds per count, truncated toward zero (0 for a counter faster
  // than 1 MHz); 1000 on the tick count.
  static int GetResolutionMicro();

 private:
  // The time now, in counts of the clock in use.
  static long long Now();
  // Counts between two timestamps of the clock in use.
  static long long Elapsed(long long from, long long to);
  // End of the measured interval: the stop time, or now.
  long long End() const;
  void CopyFrom(const RWMStopwatch& other);

  // Heap-allocated 64-bit timestamps (long long*) of the nested starts; the
  // last position is the innermost start.
  NUVRawCollPV _Starts;
  // Empty, or the heap-allocated timestamp of the last stop.
  NUVRawCollPV _Stop;

  // True once a query found no performance counter: timestamps are then
  // 32-bit tick counts held in the low half of their cell. Never cleared.
  static bool _UsingGetTickCount;
  // Counts per second of the performance counter. Positive whenever
  // _UsingGetTickCount is false.
  static LARGE_INTEGER _Frequency;
};

#endif
