// NUVPLMStateSynchronousEventDispatcher: the PLM state monitor's event
// dispatcher. The monitor watches the product's state (positions of its
// occurrences) and tells subscribers synchronously, inside the call that
// changed the state, under the event named after the notification's class.
// There is one per process, reached through
// NUVGetPLMStateSynchronousEventDispatcher.
//
//   NUVPLMStateSynchronousEventDispatcher* d =
//       NUVGetPLMStateSynchronousEventDispatcher::CreatePLMStateSynchronousEventDispatcher();
//   AddCallback(me, d, NUVPLMStateOccurrenceMovedNotif::ClassName(), method, nullptr);
//   d->OccurrenceMoved(occurrence);      // what a drag does when it lets go
//
// Callbacks run in subscription order with the dispatcher as publisher and
// the notification as notification; they may subscribe, unsubscribe or
// raise further moves (those are dispatched at once, nested).
// Threading: user-interface thread only.
#ifndef NUVPLMStateSynchronousEventDispatcher_h
#define NUVPLMStateSynchronousEventDispatcher_h

#include "NUVBaseUnknown.h"

class NUVCallbackManager;
class NUVNotification;

class VPL_EXPORT NUVPLMStateSynchronousEventDispatcher : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUVPLMStateSynchronousEventDispatcher();
  ~NUVPLMStateSynchronousEventDispatcher() override;
  NUVPLMStateSynchronousEventDispatcher(const NUVPLMStateSynchronousEventDispatcher&) = delete;
  NUVPLMStateSynchronousEventDispatcher& operator=(const NUVPLMStateSynchronousEventDispatcher&) =
      delete;

  // Publishes `iNotification` under its class name. Null is ignored.
  void Dispatch(NUVNotification* iNotification);
  // Publishes an NUVPLMStateOccurrenceMovedNotif for `iOccurrence`.
  void OccurrenceMoved(NUVBaseUnknown* iOccurrence);

  NUVCallbackManager* GetCallbackManager() const { return _pCallbackManager; }

 private:
  NUVCallbackManager* _pCallbackManager;  // one reference; publishes for this
};

#endif
