#include "NUVHostClock.h"

#include <chrono>
#include <cmath>

#include "NUVOsCalls.h"
#include "NUVOsTestHooks.h"

namespace {

bool g_Modelled = false;

double Frequency() {
  LARGE_INTEGER frequency;
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return 0;
  return static_cast<double>(frequency.QuadPart);
}

}  // namespace

bool NUVHostClock::UseModelledTime(bool modelled) {
  if (modelled == g_Modelled) return true;
  // The counter steered first (where the calls are the system's, that
  // diverts them), then read: the modelled clock starts where the steered
  // real one stands, so time read before the switch stays in the past.
  if (!NUVOsSetFakePerformanceCounter(0, 0)) return false;
  LARGE_INTEGER now;
  if (!QueryPerformanceCounter(&now)) now.QuadPart = 0;
  if (!NUVOsSetFakePerformanceCounter(modelled ? 1 : 0, now.QuadPart)) return false;
  g_Modelled = modelled;
  return true;
}

void NUVHostClock::Spend(double seconds) {
  if (!(seconds > 0) || !std::isfinite(seconds)) return;
  if (g_Modelled) {
    NUVOsAdvancePerformanceCounter(static_cast<LONGLONG>(std::llround(seconds * Frequency())));
    return;
  }
  // Busy, as a computation is: the time shows on the real clock.
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < until) {
  }
}

double NUVHostClock::Now() {
  LARGE_INTEGER now;
  const double frequency = Frequency();
  if (frequency <= 0 || !QueryPerformanceCounter(&now)) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  return static_cast<double>(now.QuadPart) / frequency;
}
