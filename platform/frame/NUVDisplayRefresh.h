// NUVDisplayRefresh: the refresh rate of the headless displays.
//
// A drawn headless window reports its buffer swap the way a display does:
// at the next refresh tick, from the event loop. The ticks are those of the
// steady clock QueryPerformanceCounter (NUVOsCalls.h), 1 / rate seconds
// apart, counted from the first draw after the rate was set (the phase of a
// display's refresh is arbitrary too): the swap of a draw made at any time
// before a tick completes on the first loop turn at or after that tick, and
// several draws before one tick give one swap. The loop's time-out only wakes the loop
// near the tick; the clock decides, so a test steers the refresh with the
// fake performance counter (NUVOsTestHooks.h) and never with real time.
//
// Rate 0: a swap completes on the loop's next turn, as fast as the loop
// runs (benchmarks, and tests that draw many frames).
//
//   NUVDisplayRefresh::SetRate(0);   // in a benchmark's set-up
//
// Threading: user-interface thread only.
#ifndef NUVDisplayRefresh_h
#define NUVDisplayRefresh_h

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVDisplayRefresh {
 public:
  // Refresh rate of the headless displays, in Hz: a swap completes at the
  // next refresh tick of a steady clock, from the loop. 0: as soon as the
  // loop turns. Default 60. Returns 0 on success, -1 (and keeps the rate)
  // for a negative, non-finite or absurd (> 10000) rate. Swaps already
  // pending keep the tick they were given.
  static int SetRate(double hertz);
  static double Rate();

  // For the headless windows: the first refresh tick after the counter value
  // `now`, in counts of a counter running at `countsPerSecond`; `now` itself
  // at rate 0 or for a counter that is not positive.
  static long long NextTick(long long now, long long countsPerSecond);
};

#endif
