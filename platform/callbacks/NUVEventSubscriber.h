// NUVEventSubscriber: an object that subscribes to events, with the global
// callback functions as members acting on itself. It is also a publisher: it
// owns a callback manager of its own, registered for its address, so others
// subscribe to it with the global AddCallback and it raises its events with
// GetCallbackManager()->DispatchCallbacks.
//
//   class Watcher : public NUVEventSubscriber { void OnSwap(...); };
//   watcher->AddCallback(support, NUVGraphicWindow::GRAPHICWINDOW_SWAP(),
//                        NUVSubscriberMethodCast(&Watcher::OnSwap), nullptr);
//
// Threading: user-interface thread only.
#ifndef NUVEventSubscriber_h
#define NUVEventSubscriber_h

#include "NUVCallbackManager.h"

class VPL_EXPORT NUVEventSubscriber : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUVEventSubscriber();
  // A copy publishes on its own, with no subscriber.
  NUVEventSubscriber(const NUVEventSubscriber& other);
  NUVEventSubscriber& operator=(const NUVEventSubscriber&) { return *this; }
  ~NUVEventSubscriber() override;

  // The manager that carries this object's own events; null only when it
  // could not be allocated.
  NUVCallbackManager* GetCallbackManager() const { return _pCallbackManager; }

  int AddCallback(void* publisher, const char* event, NUVSubscriberMethod method,
                  void* clientData);
  void RemoveCallback(void* publisher, int callbackId);
  void RemoveCallbacksOn(void* publisher, const char* event, void* clientData);

 private:
  NUVCallbackManager* _pCallbackManager;  // one reference
};

#endif
