// The loop's wait on Windows. A watched descriptor is either a socket, tied
// to an event object by WSAEventSelect, or a waitable handle of its own (the
// event of an in-process link, see NUVSockets). The wait itself is
// MsgWaitForMultipleObjectsEx over those events, so that a message posted to
// the thread's input queue wakes it too, as it wakes a Windows application.
//
// Readiness is always decided by tests that do not block (WSAPoll on the
// sockets, a zero wait on the handles), before and after the blocking wait:
// a socket's event only says that something happened since it was last
// reset, while the loop wants what is readable now, as epoll tells on Linux.
// A socket tied to an event is non-blocking from then on; NUVSockets copes.
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "NUVLoopWaiter.h"

namespace {

struct Entry {
  int descriptor;
  HANDLE event;  // the socket's event; the descriptor's own handle otherwise
  bool socket;
};

HANDLE AsHandle(int descriptor) {
  return reinterpret_cast<HANDLE>(static_cast<intptr_t>(descriptor));
}

bool IsSocket(int descriptor) {
  int type = 0;
  int length = sizeof type;
  return getsockopt(static_cast<SOCKET>(descriptor), SOL_SOCKET, SO_TYPE,
                    reinterpret_cast<char*>(&type), &length) == 0;
}

// The object count one wait takes, one slot being kept for the messages.
const size_t kMaxObjects = MAXIMUM_WAIT_OBJECTS - 1;

}  // namespace

struct NUVLoopWaiter::Watches {
  std::vector<Entry> entries;  // in the order watched
};

NUVLoopWaiter::NUVLoopWaiter() : _Handle(-1), _pWatches(new Watches) {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) == 0) _Handle = 0;
}

NUVLoopWaiter::~NUVLoopWaiter() {
  for (const Entry& e : _pWatches->entries) {
    if (!e.socket) continue;
    WSAEventSelect(static_cast<SOCKET>(e.descriptor), nullptr, 0);
    CloseHandle(e.event);
  }
  delete _pWatches;
  if (_Handle == 0) WSACleanup();
}

int NUVLoopWaiter::Watch(int descriptor) {
  if (descriptor < 0 || _Handle != 0) return -1;
  for (const Entry& e : _pWatches->entries) {
    if (e.descriptor == descriptor) return 1;
  }
  if (IsSocket(descriptor)) {
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!event) return -1;
    if (WSAEventSelect(static_cast<SOCKET>(descriptor), event, FD_READ | FD_ACCEPT | FD_CLOSE) != 0) {
      CloseHandle(event);
      return -1;
    }
    _pWatches->entries.push_back({descriptor, event, true});
    return 1;
  }
  // Any other waitable handle: signalled while readable.
  if (WaitForSingleObject(AsHandle(descriptor), 0) == WAIT_FAILED) return -1;
  _pWatches->entries.push_back({descriptor, AsHandle(descriptor), false});
  return 1;
}

void NUVLoopWaiter::Unwatch(int descriptor) {
  std::vector<Entry>& entries = _pWatches->entries;
  for (auto it = entries.begin(); it != entries.end(); ++it) {
    if (it->descriptor != descriptor) continue;
    if (it->socket) {
      // Fails harmlessly when the socket was closed meanwhile.
      WSAEventSelect(static_cast<SOCKET>(descriptor), nullptr, 0);
      CloseHandle(it->event);
    }
    entries.erase(it);
    return;
  }
}

namespace {

// Lists the readable descriptors now, without waiting; resets the sockets'
// events first, so that what arrives after the test signals them again.
int ReadyNow(std::vector<Entry>& entries, int* ready, int capacity) {
  std::vector<WSAPOLLFD> sockets;
  std::vector<int> order;  // index in `entries` of each polled socket
  for (size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].socket) continue;
    WSANETWORKEVENTS happened;
    WSAEnumNetworkEvents(static_cast<SOCKET>(entries[i].descriptor), entries[i].event, &happened);
    WSAPOLLFD p = {};
    p.fd = static_cast<SOCKET>(entries[i].descriptor);
    p.events = POLLRDNORM;
    sockets.push_back(p);
    order.push_back(static_cast<int>(i));
  }
  std::vector<bool> readable(entries.size(), false);
  if (!sockets.empty() && WSAPoll(sockets.data(), static_cast<ULONG>(sockets.size()), 0) > 0) {
    for (size_t k = 0; k < sockets.size(); ++k) {
      if (sockets[k].revents & (POLLRDNORM | POLLHUP | POLLERR | POLLNVAL)) readable[order[k]] = true;
    }
  }
  // The handles: one look at all of them tells the first signalled one (or
  // none, the common case of idle descriptors); those after it are looked
  // at one by one.
  std::vector<HANDLE> handles;
  std::vector<size_t> at;  // index in `entries` of each handle
  for (size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].socket) {
      handles.push_back(entries[i].event);
      at.push_back(i);
    }
  }
  size_t k = 0;
  while (k < handles.size()) {
    DWORD n = static_cast<DWORD>(std::min<size_t>(handles.size() - k, MAXIMUM_WAIT_OBJECTS));
    DWORD first = WaitForMultipleObjects(n, handles.data() + k, FALSE, 0);
    if (first == WAIT_FAILED) {
      // A handle closed while watched: the others one by one.
      for (DWORD j = 0; j < n; ++j, ++k) {
        if (WaitForSingleObject(handles[k], 0) == WAIT_OBJECT_0) readable[at[k]] = true;
      }
      continue;
    }
    if (first >= WAIT_OBJECT_0 + n) {
      k += n;  // none of these
      continue;
    }
    k += first - WAIT_OBJECT_0;
    readable[at[k]] = true;
    ++k;
  }
  int count = 0;
  for (size_t i = 0; i < entries.size() && count < capacity; ++i) {
    if (readable[i]) ready[count++] = entries[i].descriptor;
  }
  return count;
}

}  // namespace

int NUVLoopWaiter::Wait(int milliseconds, int* ready, int capacity) {
  std::vector<Entry>& entries = _pWatches->entries;
  int count = ReadyNow(entries, ready, capacity);
  if (count > 0 || milliseconds == 0) return count;
  std::vector<HANDLE> events;
  for (const Entry& e : entries) events.push_back(e.event);
  DWORD timeout = milliseconds < 0 ? INFINITE : static_cast<DWORD>(milliseconds);
  if (events.size() > kMaxObjects) {
    // More than one wait can take: wait on the first ones in short slices and
    // look at all of them after each.
    events.resize(kMaxObjects);
    if (timeout > 10) timeout = 10;
  }
  // Only input that arrives from now on wakes the wait: a message left in
  // the queue by PM_NOREMOVE would otherwise wake every turn.
  DWORD woke = MsgWaitForMultipleObjectsEx(static_cast<DWORD>(events.size()), events.data(),
                                           timeout, QS_ALLINPUT, 0);
  if (woke == WAIT_FAILED) return -1;
  return ReadyNow(entries, ready, capacity);
}
