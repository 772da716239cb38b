// NUVEventSubscriber: an object that subscribes to events, with the global
// callback functions as members acting on itself.
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
  int AddCallback(void* publisher, const char* event, NUVSubscriberMethod method,
                  void* clientData);
  void RemoveCallback(void* publisher, int callbackId);
  void RemoveCallbacksOn(void* publisher, const char* event, void* clientData);
};

#endif
