// The controls of NUVOsTestHooks.h on Windows, where the calls of
// NUVOsCalls.h are the system's own: input is posted to the calling thread's
// real queue; the clocks and key states cannot be steered, so those controls
// answer 0 and change nothing.
// The system's header first: NUVOsCalls.h then adds nothing of its own.
#include <windows.h>

#include "NUVOsCalls.h"
#include "NUVOsTestHooks.h"

int NUVOsPostInputMessage(UINT message, WPARAM wParam, LPARAM lParam, HWND window) {
  if (window) return PostMessageW(window, message, wParam, lParam) ? 1 : 0;
  return PostThreadMessageW(GetCurrentThreadId(), message, wParam, lParam) ? 1 : 0;
}

void NUVOsClearInputQueue() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

// The system queue cannot be counted without emptying it.
int NUVOsInputQueueSize() { return -1; }

int NUVOsSetAsyncKeyState(int, int) { return 0; }
long NUVOsAsyncKeyStateCallCount() { return -1; }
int NUVOsForcePerformanceCounterFailure(int) { return 0; }
int NUVOsSetPerformanceFrequency(LONGLONG) { return 0; }
int NUVOsSetFakePerformanceCounter(int, LONGLONG) { return 0; }
int NUVOsAdvancePerformanceCounter(LONGLONG) { return 0; }
int NUVOsSetTickCountOffset(DWORD) { return 0; }
int NUVOsSetFakeTickCount(int, DWORD) { return 0; }
int NUVOsAdvanceTickCount(DWORD) { return 0; }

void NUVOsResetEmulation() { NUVOsClearInputQueue(); }
