#include "NUVCollabSessionManager.h"

#include <algorithm>

#include "NUVApplication.h"
#include "NUVCollabCoreviewEndNotif.h"
#include "NUVCollabEnvelope.h"
#include "NUVCollabTransport.h"
#include "NUVCommand.h"
#include "NUVCommandSelector.h"
#include "NUVDictionary.h"
#include "NUVEventSubscriber.h"
#include "NUVICreateInstance.h"
#include "NUVIcoMessenger.h"
#include "NUVcoMessengerAdapter.h"

namespace {

const int kSendsPerPump = 16;

std::vector<NUVCollabSessionManager*>& LiveSessions() {
  static auto* sessions = new std::vector<NUVCollabSessionManager*>;
  return *sessions;
}

// Closes the messenger's channels (which clears its roles), leaves the
// session and gives the session's reference back.
void Dismiss(NUVcoMessengerAdapter* messenger) {
  messenger->SetInChanelState(NUVcoMessengerAdapter::ChanelClosed);
  messenger->SetOutChanelState(NUVcoMessengerAdapter::ChanelClosed);
  messenger->JoinSession(nullptr);
  messenger->Release();
}

}  // namespace

NUVCollabSessionManager::NUVCollabSessionManager()
    : _Role(None),
      _Running(0),
      _pApplication(nullptr),
      _pCommand(nullptr),
      _Followers(0),
      _EndedByLeader(0),
      _Dropped(0),
      _SendsSincePump(0) {
  LiveSessions().push_back(this);
}

NUVCollabSessionManager::~NUVCollabSessionManager() {
  EndReview();
  auto& live = LiveSessions();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

NUVEventSubscriber* NUVCollabSessionManager::GetApplicationBus() {
  static NUVEventSubscriber* bus = new NUVEventSubscriber;
  return bus;
}

bool NUVCollabSessionManager::HasTransport() { return NUVCollabTransport::Available(); }

void NUVCollabSessionManager::ReleaseMessengersOf(const char* library) {
  if (!library) return;
  for (NUVCollabSessionManager* session : LiveSessions()) {
    std::vector<NUVcoMessengerAdapter*> kept;
    std::vector<NUVcoMessengerAdapter*> leaving;
    for (NUVcoMessengerAdapter* m : session->_Messengers) {
      const char* owner = m->GetMetaObject()->GetLibraryName();
      (owner && std::string(owner) == library ? leaving : kept).push_back(m);
    }
    session->_Messengers.swap(kept);
    for (NUVcoMessengerAdapter* m : leaving) Dismiss(m);
  }
}

long NUVCollabSessionManager::StartReview(Role iRole, const char* iEndpoint,
                                          const char* iSessionId) {
  if (_Running) {
    _LastError = "a review is already running";
    return E_UNEXPECTED;
  }
  const std::string id = iSessionId ? iSessionId : "";
  if (id.empty() || id.size() > NUVCollabEnvelope::kMaxSessionIdBytes ||
      (iRole != Leader && iRole != Follower)) {
    _LastError = "the session identifier must be 1 to 64 bytes and the role lead or follow";
    return E_INVALIDARG;
  }
  if (!NUVCollabTransport::Available()) {
    NUVCollabTransport::Open(iRole == Leader, iEndpoint ? iEndpoint : "", _LastError);
    return E_FAIL;
  }
  NUVApplication* app = NUVApplication::MainApplication();
  if (!app) {
    _LastError = "a review needs the application's event loop";
    return E_FAIL;
  }
  std::string error;
  std::unique_ptr<NUVCollabTransport> transport(
      NUVCollabTransport::Open(iRole == Leader, iEndpoint ? iEndpoint : "", error));
  if (!transport) {
    _LastError = error;
    return E_INVALIDARG;
  }
  NUVCommand* command =
      new NUVCommand(NUVCommandSelector::GetCommandSelectorInstance(), "NUVCollabSession");
  if (app->AddFileDescriptor(transport->Descriptor(), command, this, &OnReadable) != 0) {
    command->Release();
    _LastError = "the event loop refuses the review's socket";
    return E_FAIL;
  }
  _Role = iRole;
  _SessionId = id;
  _Endpoint = transport->Endpoint();
  _pTransport = std::move(transport);
  _pApplication = app;
  _pCommand = command;
  _Followers = 0;
  _EndedByLeader = 0;
  _Dropped = 0;
  _LastError.clear();
  _Running = 1;
  return S_OK;
}

long NUVCollabSessionManager::AddMessenger(const char* iMessengerType) {
  if (!_Running) return E_UNEXPECTED;
  const std::string extension = std::string(iMessengerType ? iMessengerType : "") + "_CreateExt";
  NUVCreationFunction create = NUVDictionary::FindCreation(extension.c_str());
  NUVBaseUnknown* object = nullptr;
  if (create) {
    NUVBaseUnknown* made = create();
    NUVICreateInstance_var factory(made);
    if (made) made->Release();
    void* out = nullptr;
    if (!!factory && factory->CreateInstance(&out) >= 0) object = static_cast<NUVBaseUnknown*>(out);
  }
  auto* messenger = object ? dynamic_cast<NUVcoMessengerAdapter*>(object->GetImpl()) : nullptr;
  if (!messenger) {
    if (object) object->Release();
    _LastError = std::string("no messenger of the type ") + (iMessengerType ? iMessengerType : "");
    return E_FAIL;
  }
  if (messenger != object) {
    messenger->AddRef();
    object->Release();
  }
  messenger->JoinSession(this);
  _Messengers.push_back(messenger);
  messenger->Initialize();
  if (_Role == Leader) {
    messenger->SetOutChanelState(NUVcoMessengerAdapter::ChanelOpen);
    NUVIcoMessenger_var driver(messenger);
    if (!!driver) driver->Start();
  } else {
    messenger->SetInChanelState(NUVcoMessengerAdapter::ChanelOpen);
  }
  return S_OK;
}

long NUVCollabSessionManager::EndReview() {
  if (!_Running) return S_FALSE;
  if (_Role == Leader) {
    std::string frame;
    if (NUVCollabEnvelope::Build(NUVCollabEnvelope::End, _SessionId, "", nullptr, 0, frame)) {
      _pTransport->Send(frame);
    }
  }
  Close(0);
  return S_OK;
}

void NUVCollabSessionManager::Close(unsigned char endedByLeader) {
  _Running = 0;
  _EndedByLeader = endedByLeader;
  // Subscribers hear the end while the messengers still exist.
  NUVCollabCoreviewEndNotif notification(endedByLeader);
  if (NUVCallbackManager* bus = GetApplicationBus()->GetCallbackManager()) {
    bus->DispatchCallbacks(NUVCollabCoreviewEndNotif::ClassName(), &notification);
  }
  std::vector<NUVcoMessengerAdapter*> leaving;
  leaving.swap(_Messengers);
  for (NUVcoMessengerAdapter* m : leaving) Dismiss(m);
  if (_pApplication && _pApplication == NUVApplication::MainApplication()) {
    _pApplication->RemoveRegistrationsOf(_pCommand);
  }
  _pApplication = nullptr;
  if (_pCommand) _pCommand->Release();
  _pCommand = nullptr;
  _pTransport.reset();
}

void NUVCollabSessionManager::OnReadable(NUVCommand*, int, void* data) {
  static_cast<NUVCollabSessionManager*>(data)->Pump();
}

void NUVCollabSessionManager::Pump() {
  if (!_pTransport) return;
  std::vector<std::string> frames;
  int delta = 0;
  _pTransport->Receive(frames, delta);
  _Followers = std::max(0, _Followers + delta);
  for (const std::string& frame : frames) {
    if (!_Running) break;  // an end-of-review frame closed the session
    DeliverFrame(frame.data(), static_cast<int>(frame.size()));
  }
}

int NUVCollabSessionManager::DeliverFrame(const char* iFrame, int iLength) {
  NUVCollabEnvelope envelope;
  if (!_Running || !envelope.Parse(iFrame, iLength) || !envelope.SessionIs(_SessionId)) {
    ++_Dropped;
    return 0;
  }
  if (envelope.kind == NUVCollabEnvelope::End) {
    if (_Role != Follower) return 0;
    Close(1);
    return 1;
  }
  const std::string name(envelope.name, envelope.nameLength);
  // A messenger may end the review or leave while it handles its message:
  // serve a held copy of the list.
  std::vector<NUVcoMessengerAdapter*> serving(_Messengers);
  for (NUVcoMessengerAdapter* m : serving) m->AddRef();
  int reached = 0;
  for (NUVcoMessengerAdapter* m : serving) {
    if (m->GetSession() != this || !m->IsReceiving() || m->GetMessengerName().Std() != name) {
      continue;
    }
    NUVIcoMessenger_var receiver(m);
    if (!!receiver) {
      receiver->ReceiveMessage(envelope.payload, envelope.payloadLength, nullptr);
      ++reached;
    }
  }
  for (NUVcoMessengerAdapter* m : serving) m->Release();
  return reached;
}

long NUVCollabSessionManager::Send(const std::string& iMessengerName, const char* iBuffer,
                                   int iLength) {
  if (!_Running || _Role != Leader) return E_FAIL;
  std::string frame;
  if (!NUVCollabEnvelope::Build(NUVCollabEnvelope::Data, _SessionId, iMessengerName, iBuffer,
                                iLength, frame) ||
      !_pTransport->Send(frame)) {
    return E_FAIL;
  }
  // Sending may take in the subscriptions that came meanwhile without the
  // descriptor signalling them: look for them now and then (each look is a
  // system call, too dear for every value).
  if (++_SendsSincePump >= kSendsPerPump) {
    _SendsSincePump = 0;
    Pump();
  }
  return S_OK;
}

void NUVCollabSessionManager::ForgetMessenger(NUVcoMessengerAdapter* iMessenger) {
  _Messengers.erase(std::remove(_Messengers.begin(), _Messengers.end(), iMessenger),
                    _Messengers.end());
}
