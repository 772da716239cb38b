// NUVGetPLMStateMonitor: access to the process's PLM state monitor. It does
// not exist until someone creates it (the host when it shows a product);
// without it, nothing is placed and callers take every object as standing
// at the identity.
//
//   NUVIPLMStateMonitor_var monitor;
//   NUVGetPLMStateMonitor::GetPLMStateMonitor(monitor);   // null if none
//
// The access holds one reference on the monitor until
// DestroyPLMStateMonitor.
// Threading: user-interface thread only.
#ifndef NUVGetPLMStateMonitor_h
#define NUVGetPLMStateMonitor_h

#include "NUVIPLMStateMonitor.h"

class NUVPLMStateMonitor;

class VPL_EXPORT NUVGetPLMStateMonitor {
 public:
  // Sets `oMonitor` to the monitor (S_OK) or to null (E_FAIL) when none was
  // created.
  static long GetPLMStateMonitor(NUVIPLMStateMonitor_var& oMonitor);
  // The monitor, created on the first call; null only when it could not be
  // allocated.
  static NUVPLMStateMonitor* CreatePLMStateMonitor();
  // Lets the monitor go (hosts at exit, tests between cases); the next
  // Create makes a new, empty one.
  static void DestroyPLMStateMonitor();
};

#endif
