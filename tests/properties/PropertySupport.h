// Property tests: a seeded generator, VELLORAN_PROPERTY_SEED when set (to
// replay a failure) or a fresh seed, printed on failure; simulated values as
// exact 128-bit counts of nanounits, and random ones of every magnitude.
#ifndef PropertySupport_h
#define PropertySupport_h

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>

#include "NUVSimValue.h"

inline unsigned long long PropertySeed() {
  const char* text = std::getenv("VELLORAN_PROPERTY_SEED");
  if (text && *text) return std::strtoull(text, nullptr, 10);
  return std::random_device{}() * 4294967296ULL + std::random_device{}();
}
#define PROPERTY_RANDOM(name)                                                       \
  const unsigned long long name##Seed = PropertySeed();                             \
  SCOPED_TRACE("replay with VELLORAN_PROPERTY_SEED=" + std::to_string(name##Seed)); \
  std::mt19937_64 name(name##Seed)

typedef __int128 Nano;
const Nano kNanoScale = 1000000000;
inline Nano NanoOf(const NUVSimValue& v) {
  return Nano(v.GetWholePart()) * kNanoScale + v.GetFinePart();
}
inline NUVSimValue FromNano(Nano n) {
  const Nano whole = n / kNanoScale - (n % kNanoScale < 0 ? 1 : 0);
  return NUVSimValue(static_cast<long long>(whole), static_cast<int>(n - whole * kNanoScale));
}
// In [1, limit], each count of digits equally likely.
inline Nano RandomNano(std::mt19937_64& random, Nano limit) {
  Nano magnitude = 1;
  for (int digits = random() % 22; digits > 0 && magnitude < limit; --digits) magnitude *= 10;
  const unsigned __int128 bits = (static_cast<unsigned __int128>(random()) << 64) | random();
  return std::min<Nano>(Nano(bits % static_cast<unsigned __int128>(magnitude)) + 1, limit);
}

#endif
