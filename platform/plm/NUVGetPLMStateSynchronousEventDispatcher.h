// NUVGetPLMStateSynchronousEventDispatcher: access to the process's PLM state
// event dispatcher. It does not exist until someone asks for it to be
// created, so that a process without subscribers pays nothing for state
// changes.
//
//   if (auto* d = NUVGetPLMStateSynchronousEventDispatcher::GetPLMStateSynchronousEventDispatcher())
//     d->OccurrenceMoved(occurrence);
//
// The access holds one reference on the dispatcher until
// DestroyPLMStateSynchronousEventDispatcher; callers get a plain pointer and
// add their own reference if they keep it.
// Threading: user-interface thread only.
#ifndef NUVGetPLMStateSynchronousEventDispatcher_h
#define NUVGetPLMStateSynchronousEventDispatcher_h

#include "VelloranPlatformExport.h"

class NUVPLMStateSynchronousEventDispatcher;

class VPL_EXPORT NUVGetPLMStateSynchronousEventDispatcher {
 public:
  // The dispatcher, created on the first call; null only when it could not
  // be allocated.
  static NUVPLMStateSynchronousEventDispatcher* CreatePLMStateSynchronousEventDispatcher();
  // The dispatcher if one was created, otherwise null.
  static NUVPLMStateSynchronousEventDispatcher* GetPLMStateSynchronousEventDispatcher();
  // Lets the dispatcher go (hosts at exit, tests between cases); a dispatch
  // in progress finishes first. The next Create makes a new one.
  static void DestroyPLMStateSynchronousEventDispatcher();
};

#endif
