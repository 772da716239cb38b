// NUVHostInput: the terminal's keys as input of the thread's input queue
// (the queue PeekMessageW of NUVOsCalls.h looks at).
//
// A window system puts input into the thread's queue as it happens, also
// while a handler runs and the event loop does not turn; an input poll made
// from a long computation sees the user's key. The terminal does the same
// here: each key typed becomes WM_KEYDOWN, WM_CHAR, WM_KEYUP, and
// PeekMessageW sees the keys typed since its last look without the loop
// turning. The loop also wakes for a key while idle.
//
//   NUVApplication app("velloran-play");
//   NUVHostInput::AttachTerminal(app);     // false: input is not a terminal
//   app.Run();                              // handlers may PeekMessageW
//   NUVHostInput::DetachTerminal();         // terminal back as it was
//
// On POSIX systems the terminal is put in key mode (no echo, no line
// buffering) and signals the process when input arrives (SIGIO); the signal
// handler only sets a flag, and PeekMessageW reads the terminal when the
// flag is set, so that a look at an empty queue stays a couple of loads. The
// terminal is also registered with the loop, for the idle wake-up and as a
// fallback where the system does not signal. On Windows a reader thread
// posts the console's keys to the thread's real queue.
//
// Threading: user-interface thread only (the thread that peeks the queue and
// runs the loop).
#ifndef NUVHostInput_h
#define NUVHostInput_h

#include "VelloranPlatformExport.h"

class NUVApplication;

class VPL_EXPORT NUVHostInput {
 public:
  // When standard input is a terminal: puts it in key mode and makes it an
  // input source of the thread's input queue and of `app`'s loop. Returns
  // false (and changes nothing) when standard input is not a terminal or
  // its mode cannot be set. Attaching again while attached detaches first.
  static bool AttachTerminal(NUVApplication& app);
  // Terminal back as it was (mode, flags, signal disposition); no more
  // keys. Safe to call when not attached.
  static void DetachTerminal();
  static bool TerminalAttached();
};

#endif
