// NUVHostClock: the clock a host plays on, real or modelled.
//
// On the real clock (the default) the performance counter, and so every
// stopwatch of the library, reads the system's steady clock, and Spend keeps
// the processor busy for the time asked, as a computation would. On modelled
// time the performance counter stands still except when Spend moves it on:
// a host whose scene says what each step costs then plays the same way on
// any machine, however busy, and what the library's stopwatches measure is
// exactly the scene's cost model.
//
//   NUVHostClock::UseModelledTime(true);
//   NUVHostClock::Spend(0.002);        // the clock reads 2 ms later
//   double now = NUVHostClock::Now();  // seconds, either clock
//
// Modelled time steers the performance counter through NUVOsTestHooks.h: the
// emulated one, or on Windows the steered copy the system's calls are
// diverted to (at 1e9 counts per second on either).
// Threading: user-interface thread only, like the calls it steers.
#ifndef NUVHostClock_h
#define NUVHostClock_h

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVHostClock {
 public:
  // Switches between modelled time (true) and the real clock (false). False
  // when modelled time is not available; the real clock then stays.
  static bool UseModelledTime(bool modelled);
  // A computation that takes `seconds`: on modelled time the clock moves on
  // by that much, on the real clock the call returns when that much passed.
  // Non-positive or non-finite: nothing.
  static void Spend(double seconds);
  // Seconds on the performance counter's clock (real or modelled), from an
  // arbitrary origin.
  static double Now();
};

#endif
