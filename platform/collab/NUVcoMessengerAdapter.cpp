#include "NUVcoMessengerAdapter.h"

#include "NUVBBStreamer.h"
#include "NUVCollabSessionManager.h"

NUV_IMPLEMENT_CLASS(NUVcoMessengerAdapter, NUVBaseUnknown, "VelloranPlatform")

NUVcoMessengerAdapter::NUVcoMessengerAdapter()
    : _pStreamer(nullptr),
      _pSession(nullptr),
      _InState(ChanelClosed),
      _OutState(ChanelClosed),
      _Suspended(0) {}

NUVcoMessengerAdapter::~NUVcoMessengerAdapter() {
  if (_pSession) _pSession->ForgetMessenger(this);
  if (_pStreamer) _pStreamer->Release();
}

long NUVcoMessengerAdapter::Initialize() { return S_OK; }

NUVUnicodeString NUVcoMessengerAdapter::GetMessengerName() {
  return NUVUnicodeString(GetMetaObject()->GetClassName());
}

long NUVcoMessengerAdapter::HandleMessage(const NUVUnicodeString&, const NUVUnicodeString&,
                                          const char*, int) {
  return S_FALSE;
}

long NUVcoMessengerAdapter::GetPriority(int& oPriority) {
  oPriority = 0;
  return S_OK;
}

const char* NUVcoMessengerAdapter::GetServiceName() { return "CoReview"; }

unsigned char NUVcoMessengerAdapter::AcceptsBroadcast() { return 0; }

long NUVcoMessengerAdapter::Synchronize() { return S_OK; }

long NUVcoMessengerAdapter::StartListening() { return S_OK; }

long NUVcoMessengerAdapter::StopListening() { return S_OK; }

long NUVcoMessengerAdapter::SendMessageW(const char* iBuffer, int iLength, NUVICollabUser* iTo) {
  if (!iBuffer || iLength < 1) return E_INVALIDARG;
  if (iTo || _OutState != ChanelOpen || !_pSession) return E_FAIL;
  if (_Suspended) {
    if (static_cast<int>(_Queued.size()) >= kMaxQueuedMessages) return E_FAIL;
    _Queued.emplace_back(iBuffer, iLength);
    return S_FALSE;
  }
  return _pSession->Send(GetMessengerName().Std(), iBuffer, iLength);
}

long NUVcoMessengerAdapter::SetInChanelState(ChanelState iState) {
  _InState = iState;
  return S_OK;
}

long NUVcoMessengerAdapter::SetOutChanelState(ChanelState iState) {
  _OutState = iState;
  return S_OK;
}

void NUVcoMessengerAdapter::Suspend() { _Suspended = 1; }

unsigned char NUVcoMessengerAdapter::Resume() {
  if (!_Suspended) return 0;
  _Suspended = 0;
  Flush();
  return 1;
}

long NUVcoMessengerAdapter::Flush() {
  std::vector<std::string> queued;
  queued.swap(_Queued);
  for (const std::string& message : queued) {
    long result = SendMessageW(message.data(), static_cast<int>(message.size()), nullptr);
    if (result < 0) return result;
  }
  return S_OK;
}

NUVIBBStreamer* NUVcoMessengerAdapter::GetAStreamer() {
  if (!_pStreamer) _pStreamer = NUVNew<NUVBBStreamer>();
  return _pStreamer;
}
