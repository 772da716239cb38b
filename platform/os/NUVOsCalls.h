// NUVOsCalls: the few Windows calls the library makes, with their Windows
// types and signatures, usable on every system the library builds on.
//
// On Windows this header is <windows.h> and the calls are the real ones. On
// other systems the platform layer emulates them: a monotonic performance
// counter counting nanoseconds, a 32-bit millisecond tick count that wraps
// like the real one, and one input-message queue per process with a table of
// asynchronous key states. The host's input sources feed the queue
// (NUVHostInput: the terminal's keys, read when PeekMessageW looks); tests
// feed it and steer the clocks through NUVOsTestHooks.h.
//
//   LARGE_INTEGER now;
//   if (QueryPerformanceCounter(&now)) elapsed = now.QuadPart - then.QuadPart;
//
// Threading: user-interface thread only. The emulated queue stands for the
// input queue of that thread; it takes no lock.
#ifndef NUVOsCalls_h
#define NUVOsCalls_h

// The build picks the header of its system: Windows' own, or the emulation's
// declarations with the same names, types and signatures.
#if defined(_WIN32)
#include "NUVOsCalls_win.h"
#else
#include "NUVOsCalls_posix.h"
#endif

#endif
