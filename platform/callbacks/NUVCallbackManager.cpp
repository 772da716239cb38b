#include "NUVCallbackManager.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "NUVEventSubscriber.h"

namespace {

// Publisher (or manager) address to its manager.
std::unordered_map<void*, NUVCallbackManager*>& Publishers() {
  // Never destroyed: managers may outlive static destruction at exit.
  static auto* publishers = new std::unordered_map<void*, NUVCallbackManager*>;
  return *publishers;
}

// Every live manager, for dropping a destroyed subscriber everywhere.
std::vector<NUVCallbackManager*>& Managers() {
  static auto* managers = new std::vector<NUVCallbackManager*>;
  return *managers;
}

int NextCallbackId() {
  static int next = 0;
  if (++next <= 0) next = 1;  // identifiers stay non-zero after a wrap
  return next;
}

bool SameEvent(const char* a, const char* b) {
  return a == b || (a && b && std::strcmp(a, b) == 0);
}

}  // namespace

// Called by NUVBaseUnknown's destructor for objects that subscribed.
void NUVForgetSubscriber(NUVBaseUnknown* subscriber) {
  // Copy: removing entries does not touch the manager list, but a manager
  // could in principle be released by nothing here; the copy is cheap.
  std::vector<NUVCallbackManager*> managers = Managers();
  for (NUVCallbackManager* m : managers) m->RemoveSubscriber(subscriber);
}

NUV_IMPLEMENT_CLASS(NUVCallbackManager, NUVBaseUnknown, "VelloranPlatform")

NUVCallbackManager::NUVCallbackManager(void* publisher)
    : _pPublisher(publisher ? publisher : this), _DispatchDepth(0), _DeadCount(0) {
  Publishers()[this] = this;
  if (publisher) Publishers()[publisher] = this;
  Managers().push_back(this);
}

NUVCallbackManager::~NUVCallbackManager() {
  auto& publishers = Publishers();
  auto it = publishers.find(this);
  if (it != publishers.end() && it->second == this) publishers.erase(it);
  it = publishers.find(_pPublisher);
  if (it != publishers.end() && it->second == this) publishers.erase(it);
  auto& managers = Managers();
  managers.erase(std::remove(managers.begin(), managers.end(), this), managers.end());
}

NUVCallbackManager* NUVCallbackManager::Find(void* publisher) {
  if (!publisher) return nullptr;
  auto& publishers = Publishers();
  auto it = publishers.find(publisher);
  return it == publishers.end() ? nullptr : it->second;
}

int NUVCallbackManager::AddCallback(NUVBaseUnknown* subscriber, const char* event,
                                    NUVSubscriberMethod method, void* clientData) {
  if (!subscriber || !event || !method) return 0;
  int id = NextCallbackId();
  _Entries.push_back({id, subscriber, event, method, clientData, true});
  subscriber->MarkSubscriber();
  return id;
}

int NUVCallbackManager::RemoveCallback(NUVBaseUnknown* subscriber, int callbackId) {
  for (Entry& e : _Entries) {
    if (e.alive && e.id == callbackId && e.subscriber == subscriber) {
      e.alive = false;
      ++_DeadCount;
      Compact();
      return 1;
    }
  }
  return 0;
}

int NUVCallbackManager::RemoveCallbacksOn(NUVBaseUnknown* subscriber, const char* event,
                                          void* clientData) {
  int removed = 0;
  for (Entry& e : _Entries) {
    if (!e.alive || e.subscriber != subscriber) continue;
    if (event && !SameEvent(e.event, event)) continue;
    if (clientData && e.clientData != clientData) continue;
    e.alive = false;
    ++removed;
  }
  _DeadCount += removed;
  Compact();
  return removed;
}

int NUVCallbackManager::RemoveSubscriber(NUVBaseUnknown* subscriber) {
  return RemoveCallbacksOn(subscriber, nullptr, nullptr);
}

void NUVCallbackManager::Compact() {
  // Entries are only erased outside a dispatch, which walks them by index.
  if (_DispatchDepth > 0 || _DeadCount == 0) return;
  _Entries.erase(std::remove_if(_Entries.begin(), _Entries.end(),
                                [](const Entry& e) { return !e.alive; }),
                 _Entries.end());
  _DeadCount = 0;
}

void NUVCallbackManager::DispatchCallbacks(const char* event, NUVNotification* notification,
                                           void* publisher) {
  if (!event) return;
  if (!publisher) publisher = _pPublisher;
  AddRef();  // a callback may release the publisher and with it this manager
  ++_DispatchDepth;
  const size_t count = _Entries.size();
  for (size_t i = 0; i < count; ++i) {
    if (!_Entries[i].alive || !SameEvent(_Entries[i].event, event)) continue;
    const Entry e = _Entries[i];  // the vector may grow during the call
    (e.subscriber->*e.method)(event, publisher, notification, e.clientData, e.id);
  }
  --_DispatchDepth;
  Compact();
  Release();
}

int NUVCallbackManager::CountCallbacks(const char* event) const {
  int n = 0;
  for (const Entry& e : _Entries) {
    if (e.alive && (!event || SameEvent(e.event, event))) ++n;
  }
  return n;
}

int AddCallback(NUVBaseUnknown* subscriber, void* publisher, const char* event,
                NUVSubscriberMethod method, void* clientData) {
  NUVCallbackManager* manager = NUVCallbackManager::Find(publisher);
  return manager ? manager->AddCallback(subscriber, event, method, clientData) : 0;
}

void RemoveCallback(NUVBaseUnknown* subscriber, void* publisher, int callbackId) {
  if (NUVCallbackManager* manager = NUVCallbackManager::Find(publisher)) {
    manager->RemoveCallback(subscriber, callbackId);
  }
}

void RemoveCallbacksOn(NUVBaseUnknown* subscriber, void* publisher, const char* event,
                       void* clientData) {
  if (NUVCallbackManager* manager = NUVCallbackManager::Find(publisher)) {
    manager->RemoveCallbacksOn(subscriber, event, clientData);
  }
}

NUV_IMPLEMENT_CLASS(NUVEventSubscriber, NUVBaseUnknown, "VelloranPlatform")

NUVEventSubscriber::NUVEventSubscriber()
    : _pCallbackManager(NUVNew<NUVCallbackManager>(static_cast<void*>(this))) {}

NUVEventSubscriber::NUVEventSubscriber(const NUVEventSubscriber& other)
    : NUVBaseUnknown(other),
      _pCallbackManager(NUVNew<NUVCallbackManager>(static_cast<void*>(this))) {}

NUVEventSubscriber::~NUVEventSubscriber() {
  // A dispatch in progress keeps the manager alive until it returns.
  if (_pCallbackManager) _pCallbackManager->Release();
  _pCallbackManager = nullptr;
}

int NUVEventSubscriber::AddCallback(void* publisher, const char* event,
                                    NUVSubscriberMethod method, void* clientData) {
  return ::AddCallback(this, publisher, event, method, clientData);
}

void NUVEventSubscriber::RemoveCallback(void* publisher, int callbackId) {
  ::RemoveCallback(this, publisher, callbackId);
}

void NUVEventSubscriber::RemoveCallbacksOn(void* publisher, const char* event, void* clientData) {
  ::RemoveCallbacksOn(this, publisher, event, clientData);
}
