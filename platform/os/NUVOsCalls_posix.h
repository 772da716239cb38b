// NUVOsCalls_posix.h: on systems other than Windows, the Windows types,
// constants and calls of NUVOsCalls.h, implemented by the platform layer's
// emulation (NUVOsCalls_posix.cpp). Include NUVOsCalls.h, not this file.
#ifndef NUVOsCalls_posix_h
#define NUVOsCalls_posix_h

#include <cstdint>

#include "VelloranPlatformExport.h"

#define WINAPI

typedef int BOOL;
typedef short SHORT;
typedef unsigned int UINT;
typedef uint32_t DWORD;  // 32 bits, as on Windows
typedef int32_t LONG;
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
VPL_EXPORT BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency);
// The performance counter now. FALSE, with zero, when there is none.
VPL_EXPORT BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count);
// Milliseconds since the system started, modulo 2^32 (wraps after ~49.7 days).
VPL_EXPORT DWORD WINAPI GetTickCount(void);

// Looks for the oldest waiting message whose number lies in first..last
// (both 0: any message) and, with `window` not null, that was posted to that
// window ((HWND)-1: to no window). TRUE when one is found: it is copied to
// *message (when not null) and removed from the queue when `removeFlag` has
// PM_REMOVE, left waiting otherwise.
VPL_EXPORT BOOL WINAPI PeekMessageW(MSG* message, HWND window, UINT first, UINT last,
                                    UINT removeFlag);

// State of a virtual key now: the most significant bit is set while the key
// is down. Codes outside 0..255 read as up.
VPL_EXPORT SHORT WINAPI GetAsyncKeyState(int virtualKey);

}  // extern "C"

#endif
