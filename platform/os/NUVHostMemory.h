// NUVHostMemory: how much memory the process holds, so that a host can watch
// its own footprint over a long run (a soak run of velloran-play).
//
//   long long before = NUVHostMemory::ResidentKilobytes();
//
// Threading: any thread; nothing is cached, each call asks the system.
#ifndef NUVHostMemory_h
#define NUVHostMemory_h

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVHostMemory {
 public:
  // The process's resident memory (pages in physical memory), in kilobytes;
  // -1 when the system cannot tell.
  static long long ResidentKilobytes();
};

#endif
