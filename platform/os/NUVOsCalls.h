// NUVOsCalls: the few Windows calls the library makes, with their Windows
// types and signatures, usable on every system the library builds on.
//
// On Windows the calls are the system's own, declared here as the system
// declares them; a per-OS source that includes <windows.h> does so before
// this header, which then adds nothing. On other systems the platform layer
// emulates them: a monotonic performance
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

#if !(defined(_WIN32) && defined(_WINDOWS_))  // <windows.h> declares them already

#include <cstdint>

#include "VelloranPlatformExport.h"

#if defined(_WIN32)
// The system's own calls, imported from its libraries (kernel32, user32),
// with its calling convention and its 32-bit long.
#  define NUVOS_CALL __declspec(dllimport)
#  define WINAPI __stdcall
typedef unsigned long DWORD;
typedef long LONG;
#else
// The platform layer's emulation.
#  define NUVOS_CALL VPL_EXPORT
#  define WINAPI
typedef uint32_t DWORD;  // 32 bits, as on Windows
typedef int32_t LONG;
#endif


typedef int BOOL;
typedef short SHORT;
typedef unsigned int UINT;
typedef int64_t LONGLONG;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;

struct HWND__;
typedef HWND__* HWND;

#ifndef TRUE
#  define TRUE 1
#endif
#ifndef FALSE
#  define FALSE 0
#endif

union LARGE_INTEGER {
  struct {
    DWORD LowPart;
    LONG HighPart;
  } u;
  LONGLONG QuadPart;
};

struct POINT {
  LONG x;
  LONG y;
};

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;  // tick count when the message was posted
  POINT pt;
};

// Removal flags of PeekMessageW.
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define PM_NOYIELD 0x0002

// Message numbers. Keyboard messages span 0x100..0x109, mouse messages
// 0x200..0x20E, the move being the first of them.
#define WM_NULL 0x0000
#define WM_PAINT 0x000F
#define WM_KEYFIRST 0x0100
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_DEADCHAR 0x0103
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCHAR 0x0106
#define WM_SYSDEADCHAR 0x0107
#define WM_UNICHAR 0x0109
#define WM_KEYLAST 0x0109
#define WM_TIMER 0x0113
#define WM_MOUSEFIRST 0x0200
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_RBUTTONDBLCLK 0x0206
#define WM_MBUTTONDOWN 0x0207
#define WM_MBUTTONUP 0x0208
#define WM_MBUTTONDBLCLK 0x0209
#define WM_MOUSEWHEEL 0x020A
#define WM_XBUTTONDOWN 0x020B
#define WM_XBUTTONUP 0x020C
#define WM_XBUTTONDBLCLK 0x020D
#define WM_MOUSEHWHEEL 0x020E
#define WM_MOUSELAST 0x020E
#define WM_USER 0x0400

// Virtual-key codes of the mouse buttons.
#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_MBUTTON 0x04

extern "C" {

// Counts per second of the performance counter (1e9 here). FALSE, with a
// zero frequency, when the system has no such counter.
NUVOS_CALL BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency);
// The performance counter now. FALSE, with zero, when there is none.
NUVOS_CALL BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count);
// Milliseconds since the system started, modulo 2^32 (wraps after ~49.7 days).
NUVOS_CALL DWORD WINAPI GetTickCount(void);

// Looks for the oldest waiting message whose number lies in first..last
// (both 0: any message) and, with `window` not null, that was posted to that
// window ((HWND)-1: to no window). TRUE when one is found: it is copied to
// *message (when not null) and removed from the queue when `removeFlag` has
// PM_REMOVE, left waiting otherwise.
NUVOS_CALL BOOL WINAPI PeekMessageW(MSG* message, HWND window, UINT first, UINT last,
                                    UINT removeFlag);

// State of a virtual key now: the most significant bit is set while the key
// is down. Codes outside 0..255 read as up.
NUVOS_CALL SHORT WINAPI GetAsyncKeyState(int virtualKey);

}  // extern "C"

#endif

#endif
