// The resident set size from the kernel's status file of the process
// ("VmRSS:    1234 kB"); systems without /proc answer -1.
#include <cstdio>
#include <cstring>

#include "NUVHostMemory.h"

long long NUVHostMemory::ResidentKilobytes() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return -1;
  long long kilobytes = -1;
  char line[256];
  while (std::fgets(line, sizeof line, status)) {
    if (std::strncmp(line, "VmRSS:", 6) == 0) {
      long long value = 0;
      if (std::sscanf(line + 6, "%lld", &value) == 1 && value >= 0) kilobytes = value;
      break;
    }
  }
  std::fclose(status);
  return kilobytes;
}
