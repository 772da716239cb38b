// NUVOsCalls_win.h: on Windows, the calls of NUVOsCalls.h are the system's
// own; this header brings them in. Include NUVOsCalls.h, not this file.
#ifndef NUVOsCalls_win_h
#define NUVOsCalls_win_h

#ifndef WIN32_LEAN_AND_MEAN
#  define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#  define NOMINMAX
#endif
#include <windows.h>

#endif
