// NUVCallbackManager: the callbacks of one publisher, by event name.
//
// A callback is a member function of its subscriber, called with the event
// name, the publisher, the notification, the client data given when it was
// added and its identifier. Dispatch calls the event's callbacks in the order
// they were added. A callback may add or remove callbacks, or destroy its
// subscriber or the publisher, during a dispatch: removed callbacks are not
// called any more, callbacks added during a dispatch wait for the next one.
//
//   int id = AddCallback(this, window, NUVFrmWindow::WINDOW_DELETED(),
//                        NUVSubscriberMethodCast(&Me::OnDeleted), data);
//   ...
//   manager->DispatchCallbacks(NUVFrmWindow::WINDOW_DELETED(), nullptr, window);
//
// Threading: user-interface thread only.
#ifndef NUVCallbackManager_h
#define NUVCallbackManager_h

#include <vector>

#include "NUVBaseUnknown.h"
#include "NUVNotification.h"

typedef void (NUVBaseUnknown::*NUVSubscriberMethod)(const char* event, void* publisher,
                                                    NUVNotification* notification,
                                                    void* clientData, int callbackId);
#define NUVSubscriberMethodCast(method) static_cast<NUVSubscriberMethod>(method)

class VPL_EXPORT NUVCallbackManager : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // `publisher` is the object this manager publishes for (reported to the
  // callbacks by default); null means the manager itself. Both addresses
  // then lead to this manager in the global functions below.
  explicit NUVCallbackManager(void* publisher = nullptr);
  ~NUVCallbackManager() override;

  // Returns the callback's identifier, non-zero; 0 when an argument is null.
  int AddCallback(NUVBaseUnknown* subscriber, const char* event, NUVSubscriberMethod method,
                  void* clientData);
  // Returns 1 when a callback was removed.
  int RemoveCallback(NUVBaseUnknown* subscriber, int callbackId);
  // Removes the subscriber's callbacks on `event` (null: every event) whose
  // client data is `clientData` (null: any). Returns how many were removed.
  int RemoveCallbacksOn(NUVBaseUnknown* subscriber, const char* event, void* clientData);
  // Removes every callback of the subscriber.
  int RemoveSubscriber(NUVBaseUnknown* subscriber);

  // Calls the callbacks of `event` in registration order. `publisher` is what
  // they receive as publisher; null stands for the manager's own publisher.
  void DispatchCallbacks(const char* event, NUVNotification* notification,
                         void* publisher = nullptr);

  // Live callbacks on `event` (null: all events).
  int CountCallbacks(const char* event = nullptr) const;

  // The manager registered for a publisher (or a manager itself), or null.
  static NUVCallbackManager* Find(void* publisher);

 private:
  struct Entry {
    int id;
    NUVBaseUnknown* subscriber;
    const char* event;
    NUVSubscriberMethod method;
    void* clientData;
    bool alive;
  };
  void Compact();

  void* _pPublisher;
  std::vector<Entry> _Entries;
  int _DispatchDepth;
  int _DeadCount;
};

// Global forms: the publisher is any object that owns a manager, or a
// manager. AddCallback returns 0 when the publisher has no manager.
VPL_EXPORT int AddCallback(NUVBaseUnknown* subscriber, void* publisher, const char* event,
                           NUVSubscriberMethod method, void* clientData);
VPL_EXPORT void RemoveCallback(NUVBaseUnknown* subscriber, void* publisher, int callbackId);
VPL_EXPORT void RemoveCallbacksOn(NUVBaseUnknown* subscriber, void* publisher, const char* event,
                                  void* clientData);

#endif
