// Stream sockets over Winsock. A socket handle is kept in an int, as the
// system documents that its handles fit in 32 bits.
//
// A socket the event loop watches is non-blocking (WSAEventSelect makes it
// so), so every call here copes with WSAEWOULDBLOCK: a call that may wait
// waits with WSAPoll and tries again.
//
// The in-process link: per direction, the bytes in flight wait in the
// process and a manual-reset event tells the loop that some are there (or
// that the peer closed); it is reset when the reader has taken the last
// byte. Its handle is the descriptor the loop watches.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <new>
#include <vector>

#include "NUVApplication.h"
#include "NUVSocketConnector.h"
#include "NUVSockets.h"

namespace {

// Winsock is started once for the process, at the first use, and never
// stopped: sockets may outlive any object that could own the start.
bool WinsockStarted() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

SOCKET AsSocket(int descriptor) { return static_cast<SOCKET>(descriptor); }

HANDLE AsHandle(int descriptor) {
  return reinterpret_cast<HANDLE>(static_cast<intptr_t>(descriptor));
}

int FromHandle(HANDLE handle) { return static_cast<int>(reinterpret_cast<intptr_t>(handle)); }

// A new socket handle, not inherited by child processes; -1 on failure or
// when the handle does not fit an int.
int NewSocket() {
  if (!WinsockStarted()) return -1;
  SOCKET s = WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
  if (s == INVALID_SOCKET) return -1;
  if (s > static_cast<SOCKET>(INT32_MAX)) {
    closesocket(s);
    return -1;
  }
  return static_cast<int>(s);
}

// Waits until the socket can be read (POLLRDNORM) or written (POLLWRNORM);
// false when the wait fails.
bool WaitFor(int descriptor, short events, int milliseconds, bool* timedOut = nullptr) {
  WSAPOLLFD p = {};
  p.fd = AsSocket(descriptor);
  p.events = events;
  int rc = WSAPoll(&p, 1, milliseconds);
  if (timedOut) *timedOut = rc == 0;
  return rc >= 0;
}

bool ResolveIPv4(const char* host, int port, sockaddr_in& address) {
  std::memset(&address, 0, sizeof address);
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  if (!host || !*host || std::strcmp(host, "localhost") == 0) {
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return true;
  }
  if (inet_pton(AF_INET, host, &address.sin_addr) == 1) return true;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host, nullptr, &hints, &found) != 0 || !found) return false;
  address.sin_addr = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
  freeaddrinfo(found);
  return true;
}

// Wake-up bytes must not wait for more data to fill a segment.
void NoDelay(int descriptor) {
  BOOL one = TRUE;
  setsockopt(AsSocket(descriptor), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one),
             sizeof one);
}

std::vector<NUVSocketConnector*>& LocalConnectors() {
  static auto* connectors = new std::vector<NUVSocketConnector*>;
  return *connectors;
}

// Bytes an in-process connection holds per direction, as a pipe would.
const size_t kLocalCapacity = 65536;

void Unreport(int descriptor) {
  if (NUVApplication* app = NUVApplication::MainApplication()) app->ConsumeReadableReport(descriptor);
}

}  // namespace

struct NUVSockets::LocalLink {
  std::deque<char> inFlight[2];  // towards end 0, towards end 1
  HANDLE ready[2];               // set while end 0, end 1 has something to read
  bool closed[2];
  int endsLeft;
};

bool NUVSockets::MakeLocalPair(NUVSockets*& first, NUVSockets*& second) {
  first = second = nullptr;
  auto* link = new (std::nothrow) LocalLink{{}, {nullptr, nullptr}, {false, false}, 2};
  if (!link) return false;
  for (HANDLE& ready : link->ready) ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  bool fits = true;
  for (HANDLE ready : link->ready) fits = fits && ready && reinterpret_cast<uintptr_t>(ready) <= INT32_MAX;
  if (fits) {
    first = new (std::nothrow) NUVSockets(FromHandle(link->ready[0]), FromHandle(link->ready[1]));
    second = new (std::nothrow) NUVSockets(FromHandle(link->ready[1]), FromHandle(link->ready[0]));
  }
  if (!fits || !first || !second) {
    for (HANDLE ready : link->ready) {
      if (ready) CloseHandle(ready);
    }
    delete first;  // not linked yet: closes nothing
    delete second;
    delete link;
    first = second = nullptr;
    return false;
  }
  first->_pLink = second->_pLink = link;
  second->_Side = 1;
  return true;
}

int NUVSockets::Connect(int port, const char* host) {
  if (_Descriptor >= 0 || port <= 0 || port > 65535) return -1;
  bool thisMachine = !host || !*host || std::strcmp(host, "localhost") == 0 ||
                     std::strcmp(host, "127.0.0.1") == 0;
  if (NUVSocketConnector* local = thisMachine ? NUVSocketConnector::FindLocal(port) : nullptr) {
    NUVSockets* mine = nullptr;
    NUVSockets* theirs = nullptr;
    if (!MakeLocalPair(mine, theirs)) return -1;
    // Take over `mine`'s end of the link; the connector keeps `theirs`.
    _Descriptor = mine->_Descriptor;
    _SendDescriptor = mine->_SendDescriptor;
    _pLink = mine->_pLink;
    _Side = mine->_Side;
    mine->_Descriptor = mine->_SendDescriptor = -1;
    mine->_pLink = nullptr;
    delete mine;
    local->QueueLocalEnd(theirs);
    return 0;
  }
  sockaddr_in address;
  if (!ResolveIPv4(host, port, address)) return -1;
  int s = NewSocket();
  if (s < 0) return -1;
  if (::connect(AsSocket(s), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    closesocket(AsSocket(s));
    return -1;
  }
  NoDelay(s);
  _Descriptor = _SendDescriptor = s;
  return 0;
}

int NUVSockets::BasicSend(const void* buffer, int length) {
  if (_SendDescriptor < 0 || !buffer || length < 0) return -1;
  if (_pLink) {
    int to = 1 - _Side;
    if (_pLink->closed[to]) return -1;  // as a pipe whose reader has gone
    std::deque<char>& queue = _pLink->inFlight[to];
    size_t room = kLocalCapacity - queue.size();
    size_t count = static_cast<size_t>(length) < room ? static_cast<size_t>(length) : room;
    if (count == 0) return 0;
    const char* bytes = static_cast<const char*>(buffer);
    queue.insert(queue.end(), bytes, bytes + count);
    SetEvent(_pLink->ready[to]);
    return static_cast<int>(count);
  }
  const char* bytes = static_cast<const char*>(buffer);
  int sent = 0;
  while (sent < length) {
    int n = ::send(AsSocket(_SendDescriptor), bytes + sent, length - sent, 0);
    if (n >= 0) {
      sent += n;
      continue;
    }
    if (WSAGetLastError() != WSAEWOULDBLOCK) return sent > 0 ? sent : -1;
    // A non-blocking socket whose buffer is full.
    if (_SendWithoutWaiting) return sent;
    if (!WaitFor(_SendDescriptor, POLLWRNORM, -1)) return sent > 0 ? sent : -1;
  }
  return sent;
}

int NUVSockets::SetSendWithoutWaiting(bool on) {
  if (_SendDescriptor < 0) return -1;
  _SendWithoutWaiting = on;
  return 0;
}

int NUVSockets::BasicReceive(void* buffer, int length, int flags) {
  if (_Descriptor < 0 || !buffer || length < 0) return -1;
  if (_pLink) {
    std::deque<char>& queue = _pLink->inFlight[_Side];
    if (queue.empty()) return _pLink->closed[1 - _Side] ? 0 : -1;
    size_t count = std::min(queue.size(), static_cast<size_t>(length));
    std::copy(queue.begin(), queue.begin() + static_cast<std::ptrdiff_t>(count),
              static_cast<char*>(buffer));
    queue.erase(queue.begin(), queue.begin() + static_cast<std::ptrdiff_t>(count));
    if (queue.empty() && !_pLink->closed[1 - _Side]) ResetEvent(_pLink->ready[_Side]);
    Unreport(_Descriptor);
    return static_cast<int>(count);
  }
  for (;;) {
    int received = ::recv(AsSocket(_Descriptor), static_cast<char*>(buffer), length, flags);
    if (received > 0) {
      // The loop's readiness report for this turn has been used up.
      Unreport(_Descriptor);
      return received;
    }
    if (received == 0) return 0;
    if (WSAGetLastError() != WSAEWOULDBLOCK) return -1;
    // A watched socket is non-blocking: wait as a blocking receive would.
    if (!WaitFor(_Descriptor, POLLRDNORM, -1)) return -1;
  }
}

int NUVSockets::Wait(int milliseconds) {
  if (_Descriptor < 0) return -1;
  if (milliseconds == 0) {
    NUVApplication* app = NUVApplication::MainApplication();
    if (app && app->WasReportedReadable(_Descriptor)) return 0;
  }
  if (_pLink) {
    DWORD rc = WaitForSingleObject(AsHandle(_Descriptor),
                                   milliseconds < 0 ? INFINITE : static_cast<DWORD>(milliseconds));
    if (rc == WAIT_FAILED) return -1;
    return rc == WAIT_OBJECT_0 ? 0 : 1;
  }
  bool timedOut = false;
  if (!WaitFor(_Descriptor, POLLRDNORM, milliseconds, &timedOut)) return -1;
  return timedOut ? 1 : 0;
}

int NUVSockets::Close() {
  if (_pLink) {
    LocalLink* link = _pLink;
    link->closed[_Side] = true;
    // The peer's end reads as closed from now on.
    if (!link->closed[1 - _Side]) SetEvent(link->ready[1 - _Side]);
    Unreport(_Descriptor);
    CloseHandle(link->ready[_Side]);
    if (--link->endsLeft == 0) delete link;
    _pLink = nullptr;
    _Descriptor = _SendDescriptor = -1;
    _SendWithoutWaiting = false;
    return 0;
  }
  _SendDescriptor = -1;
  _SendWithoutWaiting = false;
  if (_Descriptor < 0) return 0;
  Unreport(_Descriptor);
  int rc = closesocket(AsSocket(_Descriptor));
  _Descriptor = -1;
  return rc == 0 ? 0 : -1;
}

NUVSocketConnector* NUVSocketConnector::FindLocal(int port) {
  for (NUVSocketConnector* c : LocalConnectors()) {
    if (c->_Port == port && c->_Descriptor >= 0) return c;
  }
  return nullptr;
}

void NUVSocketConnector::QueueLocalEnd(NUVSockets* end) {
  if (end) _LocalEnds.push_back(end);
}

int NUVSocketConnector::Declare(const char* host) {
  if (_Descriptor >= 0 || (_Kind != Network && _Kind != Local) || _Port < 0 || _Port > 65535) {
    return -1;
  }
  sockaddr_in address;
  if (!ResolveIPv4(host, _Port, address)) return -1;
  int s = NewSocket();
  if (s < 0) return -1;
  // No other socket may take the port over while this one listens.
  BOOL one = TRUE;
  setsockopt(AsSocket(s), SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&one),
             sizeof one);
  int length = sizeof address;
  if (::bind(AsSocket(s), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(AsSocket(s), _Backlog) != 0 ||
      ::getsockname(AsSocket(s), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    closesocket(AsSocket(s));
    return -1;
  }
  _Port = ntohs(address.sin_port);
  _Descriptor = s;
  if (_Kind == Local) LocalConnectors().push_back(this);
  return 0;
}

NUVSockets* NUVSocketConnector::Accept() {
  if (_Descriptor < 0) return nullptr;
  if (!_LocalEnds.empty()) {
    NUVSockets* end = _LocalEnds.front();
    _LocalEnds.pop_front();
    end->_pConnector = this;
    return end;
  }
  SOCKET s;
  for (;;) {
    s = ::accept(AsSocket(_Descriptor), nullptr, nullptr);
    if (s != INVALID_SOCKET) break;
    if (WSAGetLastError() != WSAEWOULDBLOCK || !WaitFor(_Descriptor, POLLRDNORM, -1)) return nullptr;
  }
  if (s > static_cast<SOCKET>(INT32_MAX)) {
    closesocket(s);
    return nullptr;
  }
  int accepted = static_cast<int>(s);
  // An accepted socket takes over the listening one's event selection:
  // clear it, so that it blocks like any new socket until the loop watches it.
  WSAEventSelect(s, nullptr, 0);
  u_long blocking = 0;
  ioctlsocket(s, FIONBIO, &blocking);
  NoDelay(accepted);
  NUVSockets* end = new (std::nothrow) NUVSockets(accepted, this);
  if (!end) closesocket(s);
  return end;
}

int NUVSocketConnector::Close() {
  for (NUVSockets* end : _LocalEnds) delete end;
  _LocalEnds.clear();
  auto& locals = LocalConnectors();
  locals.erase(std::remove(locals.begin(), locals.end(), this), locals.end());
  if (_Descriptor < 0) return 0;
  int rc = closesocket(AsSocket(_Descriptor));
  _Descriptor = -1;
  return rc == 0 ? 0 : -1;
}
