#include "NUVPLMStateSynchronousEventDispatcher.h"

#include "NUVCallbackManager.h"
#include "NUVPLMStateOccurrenceMovedNotif.h"

NUV_IMPLEMENT_CLASS(NUVPLMStateSynchronousEventDispatcher, NUVBaseUnknown, "VelloranPlatform")

NUVPLMStateSynchronousEventDispatcher::NUVPLMStateSynchronousEventDispatcher()
    : _pCallbackManager(new NUVCallbackManager(this)) {}

NUVPLMStateSynchronousEventDispatcher::~NUVPLMStateSynchronousEventDispatcher() {
  _pCallbackManager->Release();
  _pCallbackManager = nullptr;
}

void NUVPLMStateSynchronousEventDispatcher::Dispatch(NUVNotification* iNotification) {
  if (!iNotification) return;
  // A subscriber may destroy the dispatcher (NUVGetPLMStateSynchronousEventDispatcher
  // lets it go) or release the notification's last other reference.
  AddRef();
  iNotification->AddRef();
  _pCallbackManager->DispatchCallbacks(iNotification->GetMetaObject()->GetClassName(),
                                       iNotification, this);
  iNotification->Release();
  Release();
}

void NUVPLMStateSynchronousEventDispatcher::OccurrenceMoved(NUVBaseUnknown* iOccurrence) {
  auto* moved = new NUVPLMStateOccurrenceMovedNotif(iOccurrence);
  Dispatch(moved);
  moved->Release();
}
