#include "NUVDisplayRefresh.h"

#include <cmath>

namespace {
double g_Rate = 60.0;
// The first counter value asked about since the rate was set: the ticks are
// counted from it, so that the arithmetic stays exact on a counter that has
// run for months.
bool g_HaveOrigin = false;
long long g_Origin = 0;
}  // namespace

int NUVDisplayRefresh::SetRate(double hertz) {
  // Written so that NaN fails too.
  if (!(hertz >= 0.0 && hertz <= 10000.0)) return -1;
  g_Rate = hertz;
  g_HaveOrigin = false;
  return 0;
}

double NUVDisplayRefresh::Rate() { return g_Rate; }

long long NUVDisplayRefresh::NextTick(long long now, long long countsPerSecond) {
  if (g_Rate <= 0.0 || countsPerSecond <= 0) return now;
  if (!g_HaveOrigin) {
    g_Origin = now;
    g_HaveOrigin = true;
  }
  double period = static_cast<double>(countsPerSecond) / g_Rate;
  double ticks = std::floor(static_cast<double>(now - g_Origin) / period) + 1.0;
  long long tick = g_Origin + static_cast<long long>(std::ceil(ticks * period));
  return tick > now ? tick : now + 1;
}
