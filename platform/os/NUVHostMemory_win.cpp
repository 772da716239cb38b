// The process's working set, the resident memory as Windows counts it.
// GetProcessMemoryInfo lives in kernel32 (as K32GetProcessMemoryInfo) since
// Windows 7: no library beyond the default ones is needed.
#include <windows.h>
#include <psapi.h>

#include "NUVHostMemory.h"

long long NUVHostMemory::ResidentKilobytes() {
  PROCESS_MEMORY_COUNTERS counters;
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
  return static_cast<long long>(counters.WorkingSetSize / 1024);
}
