#include "NUVECoMessengerForSimEngine.h"

#include "NUVApplication.h"
#include "NUVCallbackManager.h"
#include "NUVCollabCoreviewEndNotif.h"
#include "NUVCollabSessionManager.h"
#include "NUVEventSubscriber.h"
#include "NUVIBBStreamer.h"
#include "NUVISimMasterObservation.h"
#include "NUVSimCoReviewNotification.h"
#include "NUVSimMasterObservation.h"
#include "VelloranModule.h"

NUV_IMPLEMENT_CLASS(NUVECoMessengerForSimEngine, NUVcoMessengerAdapter, VELLORAN_LIBRARY_NAME)

namespace {
NUVECoMessengerForSimEngine* g_pLiveMessenger = nullptr;
}

NUVECoMessengerForSimEngine::NUVECoMessengerForSimEngine() : _Leader(0), _Follower(0) {
  if (NUVEventSubscriber* bus = NUVCollabSessionManager::GetApplicationBus()) {
    ::AddCallback(this, bus, NUVCollabCoreviewEndNotif::ClassName(),
                  NUVSubscriberMethodCast(&NUVECoMessengerForSimEngine::OnCoReviewEnd), nullptr);
  }
  g_pLiveMessenger = this;
}

NUVECoMessengerForSimEngine::~NUVECoMessengerForSimEngine() {
  g_pLiveMessenger = nullptr;
  // No callback may reach a destroyed messenger: drop the bus subscription
  // and whatever StartListening left on the main application.
  ::RemoveCallbacksOn(this, NUVCollabSessionManager::GetApplicationBus(),
                      NUVCollabCoreviewEndNotif::ClassName(), nullptr);
  StopListening();
}

NUVECoMessengerForSimEngine* NUVECoMessengerForSimEngine::GetLiveMessenger() {
  return g_pLiveMessenger;
}

NUVUnicodeString NUVECoMessengerForSimEngine::GetMessengerName() {
  return NUVUnicodeString("NUVECoMessengerForSimEngine");
}

unsigned char NUVECoMessengerForSimEngine::AcceptsBroadcast() { return 1; }

long NUVECoMessengerForSimEngine::Synchronize() { return S_OK; }

void NUVECoMessengerForSimEngine::OnCoReviewEnd(const char*, void*, NUVNotification*, void*, int) {
  StopListening();
}

long NUVECoMessengerForSimEngine::StartListening() {
  if (NUVApplication* app = NUVApplication::MainApplication()) {
    ::AddCallback(this, app, NUVSimCoReviewNotification::ClassName(),
                  NUVSubscriberMethodCast(&NUVECoMessengerForSimEngine::OnCoReviewNotification),
                  nullptr);
  }
  return S_OK;
}

long NUVECoMessengerForSimEngine::StopListening() {
  if (NUVApplication* app = NUVApplication::MainApplication()) {
    ::RemoveCallbacksOn(this, app, NUVSimCoReviewNotification::ClassName(), nullptr);
  }
  return S_OK;
}

long NUVECoMessengerForSimEngine::SetInChanelState(ChanelState iState) {
  _Leader = 0;
  _Follower = iState == ChanelOpen ? 1 : 0;
  return NUVcoMessengerAdapter::SetInChanelState(iState);
}

long NUVECoMessengerForSimEngine::SetOutChanelState(ChanelState iState) {
  _Follower = 0;
  _Leader = iState == ChanelOpen ? 1 : 0;
  return NUVcoMessengerAdapter::SetOutChanelState(iState);
}

void NUVECoMessengerForSimEngine::OnCoReviewNotification(const char*, void*,
                                                         NUVNotification* iNotification, void*,
                                                         int) {
  if (!iNotification || !iNotification->IsAKindOf("NUVSimCoReviewNotification")) return;
  NUVSimValue value;
  static_cast<NUVSimCoReviewNotification*>(iNotification)->GetValue(value);
  SendCoReviewValue(value);
}

void NUVECoMessengerForSimEngine::SendCoReviewValue(const NUVSimValue& iValue) {
  NUVIBBStreamer* streamer = NUVcoMessengerAdapter::GetAStreamer();
  if (!streamer || streamer->StartWriting() < 0) return;
  const unsigned long long whole = static_cast<unsigned long long>(iValue.GetWholePart());
  streamer->WriteInt(static_cast<int>((whole >> 32) & 0xFFFFu));
  streamer->WriteUnsignedInt(static_cast<unsigned int>(whole & 0xFFFFu));
  streamer->WriteInt(iValue.GetFinePart());
  int length = 0;
  const char* buffer = streamer->GetWrittenBuffer(length);
  if (!buffer) return;
  SendMessageW(buffer, length, nullptr);
  streamer->ReleaseBuffer();
}

long NUVECoMessengerForSimEngine::ReceiveMessage(const char* iBuffer, int iLength,
                                                 NUVICollabUser*) {
  if (iLength < 1) return E_INVALIDARG;
  NUVIBBStreamer* streamer = NUVcoMessengerAdapter::GetAStreamer();
  if (!streamer) return E_FAIL;
  long result = streamer->StartReading(iBuffer, iLength);
  if (result < 0) return result;
  int high = 0;
  unsigned int low = 0;
  int fine = 0;
  streamer->ReadInt(high);
  streamer->ReadUnsignedInt(low);
  streamer->ReadInt(fine);
  const long long whole = static_cast<long long>(high) * 4294967296LL + static_cast<long long>(low);
  NUVSimValue value(whole, fine);

  NUVISimMasterObservation_var coordinator;
  NUVSimMasterObservation::Get(coordinator, NUVBaseUnknown_var(), 1);
  if (!!coordinator) {
    NUVSimCoReviewNotification notification;
    notification.SetValue(value);
    coordinator->PostNotification(&notification, 1);
  }
  streamer->EndReading();
  return S_OK;
}
