// The loop's wait on Windows: the watched descriptors are sockets, waited
// for with WSAPoll; without any, the wait sleeps until the time-out.
#include <winsock2.h>
#include <windows.h>

#include <algorithm>

#include "NUVLoopWaiter.h"

NUVLoopWaiter::NUVLoopWaiter() : _Handle(-1) {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) == 0) _Handle = 0;
}

NUVLoopWaiter::~NUVLoopWaiter() {
  if (_Handle == 0) WSACleanup();
}

int NUVLoopWaiter::Watch(int descriptor) {
  if (descriptor < 0 || _Handle != 0) return -1;
  _Watched.push_back(descriptor);
  return 1;
}

void NUVLoopWaiter::Unwatch(int descriptor) {
  _Watched.erase(std::remove(_Watched.begin(), _Watched.end(), descriptor), _Watched.end());
}

int NUVLoopWaiter::Wait(int milliseconds, int* ready, int capacity) {
  if (_Watched.empty()) {
    if (milliseconds != 0) Sleep(milliseconds < 0 ? INFINITE : static_cast<DWORD>(milliseconds));
    return 0;
  }
  std::vector<WSAPOLLFD> set(_Watched.size());
  for (size_t i = 0; i < set.size(); ++i) {
    set[i].fd = static_cast<SOCKET>(_Watched[i]);
    set[i].events = POLLRDNORM;
  }
  int n = WSAPoll(set.data(), static_cast<ULONG>(set.size()), milliseconds);
  if (n == SOCKET_ERROR) return -1;
  int count = 0;
  for (size_t i = 0; i < set.size() && count < capacity; ++i) {
    if (set[i].revents & (POLLRDNORM | POLLHUP | POLLERR)) ready[count++] = _Watched[i];
  }
  return count;
}
