// Emulation of the Windows calls of NUVOsCalls.h on POSIX systems, with the
// controls of NUVOsTestHooks.h.
#include <time.h>

#include <atomic>
#include <cstdint>
#include <deque>

#include "NUVOsCalls.h"
#include "NUVOsInputSource.h"
#include "NUVOsTestHooks.h"

namespace {

const LONGLONG kNanosecondsPerSecond = 1000000000;

// Everything the emulation holds. Plain globals without locks: every call
// comes from the user-interface thread. The empty-queue test of PeekMessageW
// reads `inputArrived` and `queuedCount` only, so that a poll of an empty
// queue costs two loads and two compares.
struct Emulation {
  // Set, possibly from a signal handler, when the input source has something
  // to post; the lock-free atomic makes that store async-signal-safe.
  std::atomic<bool> inputArrived{false};
  NUVOsInputPump inputPump = nullptr;
  std::deque<MSG> queue;
  int queuedCount = 0;
  SHORT keyStates[256] = {};
  long keyStateCalls = 0;
  bool counterFails = false;
  LONGLONG frequency = kNanosecondsPerSecond;
  bool fakeCounter = false;
  LONGLONG fakeCount = 0;
  DWORD tickOffset = 0;
  bool fakeTicks = false;
  DWORD fakeTickCount = 0;
};

static_assert(std::atomic<bool>::is_always_lock_free, "the input flag is set from a signal handler");

Emulation emulation;

int64_t MonotonicNanoseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

bool Matches(const MSG& message, HWND window, UINT first, UINT last) {
  if (window == reinterpret_cast<HWND>(static_cast<intptr_t>(-1))) {
    if (message.hwnd) return false;
  } else if (window && message.hwnd != window) {
    return false;
  }
  if (first == 0 && last == 0) return true;
  return message.message >= first && message.message <= last;
}

}  // namespace

extern "C" {

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  if (!frequency) return FALSE;
  if (emulation.counterFails) {
    frequency->QuadPart = 0;
    return FALSE;
  }
  frequency->QuadPart = emulation.frequency;
  return TRUE;
}

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count) {
  if (!count) return FALSE;
  if (emulation.counterFails) {
    count->QuadPart = 0;
    return FALSE;
  }
  if (emulation.fakeCounter) {
    count->QuadPart = emulation.fakeCount;
  } else if (emulation.frequency == kNanosecondsPerSecond) {
    count->QuadPart = MonotonicNanoseconds();
  } else {
    // A counter of another rate: the clock scaled to it, without overflow.
    __int128 scaled = static_cast<__int128>(MonotonicNanoseconds()) * emulation.frequency;
    count->QuadPart = static_cast<LONGLONG>(scaled / kNanosecondsPerSecond);
  }
  return TRUE;
}

DWORD WINAPI GetTickCount(void) {
  if (emulation.fakeTicks) return emulation.fakeTickCount;
  // Truncation to 32 bits is the wrap of the real tick count.
  DWORD ticks = static_cast<DWORD>(MonotonicNanoseconds() / 1000000);
  return ticks + emulation.tickOffset;
}

BOOL WINAPI PeekMessageW(MSG* message, HWND window, UINT first, UINT last, UINT removeFlag) {
  if (emulation.inputArrived.load(std::memory_order_relaxed)) NUVOsPumpInputSource();
  if (emulation.queuedCount == 0) return FALSE;
  for (auto it = emulation.queue.begin(); it != emulation.queue.end(); ++it) {
    if (!Matches(*it, window, first, last)) continue;
    if (message) *message = *it;
    if (removeFlag & PM_REMOVE) {
      emulation.queue.erase(it);
      --emulation.queuedCount;
    }
    return TRUE;
  }
  return FALSE;
}

SHORT WINAPI GetAsyncKeyState(int virtualKey) {
  ++emulation.keyStateCalls;
  if (virtualKey < 0 || virtualKey > 255) return 0;
  return emulation.keyStates[virtualKey];
}

}  // extern "C"

int NUVOsPostInputMessage(UINT message, WPARAM wParam, LPARAM lParam, HWND window) {
  if (emulation.queuedCount >= NUVOS_INPUT_QUEUE_CAPACITY) return 0;
  MSG posted = {};
  posted.hwnd = window;
  posted.message = message;
  posted.wParam = wParam;
  posted.lParam = lParam;
  posted.time = GetTickCount();
  emulation.queue.push_back(posted);
  ++emulation.queuedCount;
  return 1;
}

void NUVOsSetInputSource(NUVOsInputPump pump) {
  emulation.inputPump = pump;
  NUVOsNoteInputArrived();
}

void NUVOsNoteInputArrived() { emulation.inputArrived.store(true, std::memory_order_relaxed); }

void NUVOsPumpInputSource() {
  // Cleared before the pump reads: input arriving while it reads sets the
  // flag again and is read by the next look, never lost.
  emulation.inputArrived.store(false, std::memory_order_relaxed);
  if (emulation.inputPump) emulation.inputPump();
}

void NUVOsClearInputQueue() {
  emulation.queue.clear();
  emulation.queuedCount = 0;
}

int NUVOsInputQueueSize() { return emulation.queuedCount; }

int NUVOsSetAsyncKeyState(int virtualKey, int down) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  // The most significant bit tells "down now"; the sign makes it 0x8000.
  emulation.keyStates[virtualKey] = down ? static_cast<SHORT>(-0x8000) : 0;
  return 1;
}

long NUVOsAsyncKeyStateCallCount() { return emulation.keyStateCalls; }

int NUVOsForcePerformanceCounterFailure(int fail) {
  emulation.counterFails = fail != 0;
  return 1;
}

int NUVOsSetPerformanceFrequency(LONGLONG countsPerSecond) {
  emulation.frequency = countsPerSecond ? countsPerSecond : kNanosecondsPerSecond;
  return 1;
}

int NUVOsSetFakePerformanceCounter(int enabled, LONGLONG count) {
  emulation.fakeCounter = enabled != 0;
  emulation.fakeCount = count;
  return 1;
}

int NUVOsAdvancePerformanceCounter(LONGLONG counts) {
  // Unsigned arithmetic: a test pushing the counter past its end wraps
  // instead of overflowing.
  emulation.fakeCount = static_cast<LONGLONG>(static_cast<uint64_t>(emulation.fakeCount) +
                                              static_cast<uint64_t>(counts));
  return 1;
}

int NUVOsSetTickCountOffset(DWORD offset) {
  emulation.tickOffset = offset;
  return 1;
}

int NUVOsSetFakeTickCount(int enabled, DWORD ticks) {
  emulation.fakeTicks = enabled != 0;
  emulation.fakeTickCount = ticks;
  return 1;
}

int NUVOsAdvanceTickCount(DWORD milliseconds) {
  emulation.fakeTickCount += milliseconds;
  return 1;
}

void NUVOsResetEmulation() {
  NUVOsClearInputQueue();
  for (SHORT& state : emulation.keyStates) state = 0;
  emulation.keyStateCalls = 0;
  emulation.counterFails = false;
  emulation.frequency = kNanosecondsPerSecond;
  emulation.fakeCounter = false;
  emulation.fakeCount = 0;
  emulation.tickOffset = 0;
  emulation.fakeTicks = false;
  emulation.fakeTickCount = 0;
}

int NUVOsUseSystemCalls() { return 0; }
