// The seed of a property test: VELLORAN_PROPERTY_SEED when set (to replay a
// failure), a fresh one otherwise. Failures print it through the trace.
#ifndef PropertySeed_h
#define PropertySeed_h

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

inline unsigned long long PropertySeed() {
  const char* text = std::getenv("VELLORAN_PROPERTY_SEED");
  if (text && *text) return std::strtoull(text, nullptr, 10);
  return (static_cast<unsigned long long>(std::random_device{}()) << 32) ^ std::random_device{}();
}

#define PROPERTY_RANDOM(name)                                                       \
  const unsigned long long name##Seed = PropertySeed();                             \
  SCOPED_TRACE("replay with VELLORAN_PROPERTY_SEED=" + std::to_string(name##Seed)); \
  std::mt19937_64 name(name##Seed)

#endif
