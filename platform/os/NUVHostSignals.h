// NUVHostSignals: an interrupt (Ctrl-C, SIGINT) or a termination request
// (SIGTERM) stops the host's event loop at its next turn instead of killing
// the process, so that the host can still report and save what it did.
//
//   NUVHostSignals::StopOnInterrupt(app);
//   app.Run();                                 // returns after Ctrl-C
//   int status = NUVHostSignals::InterruptStatus();
//   NUVHostSignals::Restore();
//   return status ? status : 0;
//
// On POSIX systems the signal handler only records the signal and writes one
// byte to a pipe the loop watches (both async-signal-safe); the loop's
// handler of that pipe asks the application to stop. So a loop sleeping in
// poll wakes at once, and a loop busy in a handler stops after it. On
// Windows a console control handler does the same from the system's thread.
//
// Threading: user-interface thread only, except the signal itself.
#ifndef NUVHostSignals_h
#define NUVHostSignals_h

#include "VelloranPlatformExport.h"

class NUVApplication;

class VPL_EXPORT NUVHostSignals {
 public:
  // From now on an interrupt or a termination request makes `app` stop at
  // its next turn (RequestStop), instead of killing the process; the
  // terminal is left to the host to restore. Calling it again moves the
  // watch to `app`. The recorded status is cleared.
  static void StopOnInterrupt(NUVApplication& app);
  // Back to the default dispositions; the loop no longer watches. The
  // recorded status stays readable.
  static void Restore();
  // 0 while no such signal came; otherwise the exit status shells expect:
  // 130 for an interrupt, 143 for a termination request (the first one that
  // came).
  static int InterruptStatus();
};

#endif
