#include "NUVGetEnvValue.h"

#include <cstdlib>
#include <cstring>

int NUVGetEnvValue(const char* name, char** value) {
  if (value) *value = nullptr;
  if (!name) return 1;
  const char* found = std::getenv(name);
  if (!found) return 1;
  if (value) {
    size_t length = std::strlen(found);
    *value = new char[length + 1];
    std::memcpy(*value, found, length + 1);
  }
  return 0;
}
