// Stream sockets over the BSD socket API.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <deque>
#include <new>
#include <vector>

#include "NUVApplication.h"
#include "NUVSocketConnector.h"
#include "NUVSockets.h"

namespace {

bool ResolveIPv4(const char* host, int port, sockaddr_in& address) {
  std::memset(&address, 0, sizeof address);
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
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
void NoDelay(int fd) {
  int one = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

std::vector<NUVSocketConnector*>& LocalConnectors() {
  static auto* connectors = new std::vector<NUVSocketConnector*>;
  return *connectors;
}

// Bytes an in-process connection holds per direction, as a pipe would.
const size_t kLocalCapacity = 65536;

}  // namespace

// An in-process connection. Per direction, the bytes in flight wait in the
// process and an eventfd in semaphore mode counts them: the loop watches the
// count, and reading a byte is one decrement, the cheapest wake-up channel
// there is. Each end owns the counter it reads from.
struct NUVSockets::LocalLink {
  std::deque<char> inFlight[2];  // towards end 0, towards end 1
  int counter[2];                // read by end 0, by end 1
  bool closed[2];
  int endsLeft;
};

bool NUVSockets::MakeLocalPair(NUVSockets*& first, NUVSockets*& second) {
  first = second = nullptr;
  auto* link = new (std::nothrow) LocalLink{{}, {-1, -1}, {false, false}, 2};
  if (!link) return false;
  for (int& counter : link->counter) counter = eventfd(0, EFD_CLOEXEC | EFD_SEMAPHORE | EFD_NONBLOCK);
  first = new (std::nothrow) NUVSockets(link->counter[0], link->counter[1]);
  second = new (std::nothrow) NUVSockets(link->counter[1], link->counter[0]);
  if (link->counter[0] < 0 || link->counter[1] < 0 || !first || !second) {
    for (int counter : link->counter) {
      if (counter >= 0) ::close(counter);
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
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  int rc;
  do {
    rc = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  } while (rc < 0 && errno == EINTR);
  if (rc < 0) {
    ::close(fd);
    return -1;
  }
  NoDelay(fd);
  _Descriptor = _SendDescriptor = fd;
  return 0;
}

int NUVSockets::BasicSend(const void* buffer, int length) {
  if (_SendDescriptor < 0 || !buffer || length < 0) return -1;
  if (_pLink) {
    int to = 1 - _Side;
    if (_pLink->closed[to]) return -1;  // as a pipe whose reader has gone
    std::deque<char>& queue = _pLink->inFlight[to];
    size_t room = kLocalCapacity - queue.size();
    uint64_t count = static_cast<size_t>(length) < room ? static_cast<size_t>(length) : room;
    if (count == 0) return 0;
    if (::write(_pLink->counter[to], &count, sizeof count) != sizeof count) return -1;
    const char* bytes = static_cast<const char*>(buffer);
    if (count == 1) {
      queue.push_back(*bytes);  // the wake-up byte: the common case
    } else {
      queue.insert(queue.end(), bytes, bytes + count);
    }
    return static_cast<int>(count);
  }
  ssize_t sent;
  // A TCP socket is told per call; a pipe's own end carries O_NONBLOCK.
  int flags = MSG_NOSIGNAL | (_SendWithoutWaiting ? MSG_DONTWAIT : 0);
  do {
    sent = _SendDescriptor == _Descriptor
               ? ::send(_SendDescriptor, buffer, static_cast<size_t>(length), flags)
               : ::write(_SendDescriptor, buffer, static_cast<size_t>(length));
  } while (sent < 0 && errno == EINTR);
  if (sent < 0 && _SendWithoutWaiting && (errno == EAGAIN || errno == EWOULDBLOCK)) return 0;
  return static_cast<int>(sent);
}

int NUVSockets::SetSendWithoutWaiting(bool on) {
  if (_SendDescriptor < 0) return -1;
  if (_SendDescriptor != _Descriptor && !_pLink) {
    int flags = ::fcntl(_SendDescriptor, F_GETFL);
    if (flags < 0) return -1;
    flags = on ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
    if (::fcntl(_SendDescriptor, F_SETFL, flags) < 0) return -1;
  }
  _SendWithoutWaiting = on;
  return 0;
}

int NUVSockets::BasicReceive(void* buffer, int length, int flags) {
  if (_Descriptor < 0 || !buffer || length < 0) return -1;
  if (_pLink) {
    std::deque<char>& queue = _pLink->inFlight[_Side];
    if (queue.empty()) return _pLink->closed[1 - _Side] ? 0 : -1;
    int received = 0;
    uint64_t unit;
    char* bytes = static_cast<char*>(buffer);
    while (received < length && !queue.empty() &&
           ::read(_Descriptor, &unit, sizeof unit) == sizeof unit) {
      bytes[received++] = queue.front();
      queue.pop_front();
    }
    if (NUVApplication* app = NUVApplication::MainApplication()) {
      app->ConsumeReadableReport(_Descriptor);
    }
    return received;
  }
  ssize_t received;
  do {
    received = _SendDescriptor == _Descriptor
                   ? ::recv(_Descriptor, buffer, static_cast<size_t>(length), flags)
                   : ::read(_Descriptor, buffer, static_cast<size_t>(length));
  } while (received < 0 && errno == EINTR);
  if (received > 0) {
    // The loop's readiness report for this turn has been used up.
    if (NUVApplication* app = NUVApplication::MainApplication()) {
      app->ConsumeReadableReport(_Descriptor);
    }
  }
  return static_cast<int>(received);
}

int NUVSockets::Wait(int milliseconds) {
  if (_Descriptor < 0) return -1;
  if (milliseconds == 0) {
    NUVApplication* app = NUVApplication::MainApplication();
    if (app && app->WasReportedReadable(_Descriptor)) return 0;
  }
  pollfd p = {_Descriptor, POLLIN, 0};
  int rc;
  do {
    rc = ::poll(&p, 1, milliseconds);
  } while (rc < 0 && errno == EINTR);
  if (rc < 0) return -1;
  return rc > 0 ? 0 : 1;
}

int NUVSockets::Close() {
  if (_pLink) {
    LocalLink* link = _pLink;
    link->closed[_Side] = true;
    // One unit with no byte behind it: the peer's end reads as closed.
    uint64_t one = 1;
    if (!link->closed[1 - _Side]) ::write(link->counter[1 - _Side], &one, sizeof one);
    if (NUVApplication* app = NUVApplication::MainApplication()) {
      app->ConsumeReadableReport(_Descriptor);
    }
    ::close(link->counter[_Side]);
    if (--link->endsLeft == 0) delete link;
    _pLink = nullptr;
    _Descriptor = _SendDescriptor = -1;
    _SendWithoutWaiting = false;
    return 0;
  }
  int rc = 0;
  if (_SendDescriptor >= 0 && _SendDescriptor != _Descriptor) rc |= ::close(_SendDescriptor);
  _SendDescriptor = -1;
  _SendWithoutWaiting = false;
  if (_Descriptor < 0) return rc == 0 ? 0 : -1;
  if (NUVApplication* app = NUVApplication::MainApplication()) {
    app->ConsumeReadableReport(_Descriptor);
  }
  rc |= ::close(_Descriptor);
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
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  int one = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) < 0 ||
      ::listen(fd, _Backlog) < 0) {
    ::close(fd);
    return -1;
  }
  socklen_t length = sizeof address;
  if (::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) < 0) {
    ::close(fd);
    return -1;
  }
  _Port = ntohs(address.sin_port);
  _Descriptor = fd;
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
  int fd;
  do {
    fd = ::accept4(_Descriptor, nullptr, nullptr, SOCK_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return nullptr;
  NoDelay(fd);
  NUVSockets* accepted = new (std::nothrow) NUVSockets(fd, this);
  if (!accepted) ::close(fd);
  return accepted;
}

int NUVSocketConnector::Close() {
  for (NUVSockets* end : _LocalEnds) delete end;
  _LocalEnds.clear();
  auto& locals = LocalConnectors();
  locals.erase(std::remove(locals.begin(), locals.end(), this), locals.end());
  if (_Descriptor < 0) return 0;
  int rc = ::close(_Descriptor);
  _Descriptor = -1;
  return rc == 0 ? 0 : -1;
}
