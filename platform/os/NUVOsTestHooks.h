// NUVOsTestHooks: controls of the emulated operating-system calls of
// NUVOsCalls.h, for tests (which post input and steer the clocks) and for the
// platform's own input sources. Hosts feed user input through NUVHostInput.
//
//   NUVOsPostInputMessage(WM_LBUTTONDOWN, 0, 0);  // a click is now waiting
//   NUVOsSetAsyncKeyState(VK_MBUTTON, 1);          // middle button held down
//
// Functions that return int answer 1 when they did their work and 0 when they
// could not: the queue is full or the code is out of range.
//
// On Windows the calls are the system's own until a control is used: the
// clock controls then divert the clock calls of this project's modules to a
// steered copy, the input controls PeekMessageW and GetAsyncKeyState to a
// queue and key table of their own, until NUVOsUseSystemCalls.
// Threading: user-interface thread only, like the calls they steer.
#ifndef NUVOsTestHooks_h
#define NUVOsTestHooks_h

#include "NUVOsCalls.h"
#include "VelloranPlatformExport.h"

// Most messages the emulated queue holds; posting beyond is refused.
#define NUVOS_INPUT_QUEUE_CAPACITY 10000

// --- Input queue and key states ---------------------------------------------

// Appends a message (stamped with the tick count) at the end of the queue.
VPL_EXPORT int NUVOsPostInputMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                     HWND window = nullptr);
// Drops every waiting message.
VPL_EXPORT void NUVOsClearInputQueue();
// Number of waiting messages.
VPL_EXPORT int NUVOsInputQueueSize();
// Marks a virtual key (0..255) down (non-zero) or up for GetAsyncKeyState.
VPL_EXPORT int NUVOsSetAsyncKeyState(int virtualKey, int down);
// How many times GetAsyncKeyState has been called since the last reset.
VPL_EXPORT long NUVOsAsyncKeyStateCallCount();

// --- Clocks -------------------------------------------------------------------

// While `fail` is non-zero, QueryPerformanceFrequency and
// QueryPerformanceCounter fail as on a system without a performance counter.
VPL_EXPORT int NUVOsForcePerformanceCounterFailure(int fail);
// The frequency QueryPerformanceFrequency reports and the real counter runs
// at (0: the default, 1e9). Any value is passed through, even one a real
// system would never report, such as a negative one.
VPL_EXPORT int NUVOsSetPerformanceFrequency(LONGLONG countsPerSecond);
// While `enabled`, QueryPerformanceCounter answers `count`
// instead of reading the clock; NUVOsAdvancePerformanceCounter moves it on.
VPL_EXPORT int NUVOsSetFakePerformanceCounter(int enabled, LONGLONG count);
VPL_EXPORT int NUVOsAdvancePerformanceCounter(LONGLONG counts);
// Added, modulo 2^32, to the real tick count: lets a test put the tick count
// just before its wrap.
VPL_EXPORT int NUVOsSetTickCountOffset(DWORD offset);
// While `enabled`, GetTickCount answers `ticks` instead of reading the clock;
// NUVOsAdvanceTickCount moves it on, wrapping at 2^32 like the real one.
VPL_EXPORT int NUVOsSetFakeTickCount(int enabled, DWORD ticks);
VPL_EXPORT int NUVOsAdvanceTickCount(DWORD milliseconds);

// Back to the start state: empty queue, every key up, call count 0, real
// clocks without offset, performance counter available at 1e9 per second.
VPL_EXPORT void NUVOsResetEmulation();
// Windows: the system's own calls again in every module, the controls'
// states kept for the next control; 1. Elsewhere there is nothing but the
// emulation: 0, nothing changes.
VPL_EXPORT int NUVOsUseSystemCalls();

#endif
