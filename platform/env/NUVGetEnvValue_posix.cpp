// Environment variables through the C library's environment.
#include <cstdlib>
#include <cstring>

#include "NUVGetEnvValue.h"
#include "NUVSetEnvValue.h"

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

int NUVSetEnvValue(const char* name, const char* value) {
  if (!name || !*name || std::strchr(name, '=')) return -1;
  return (value ? setenv(name, value, 1) : unsetenv(name)) == 0 ? 0 : -1;
}
