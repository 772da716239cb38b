// The loop's wait over Linux's epoll: descriptors stay registered with the
// kernel between turns.
#include <sys/epoll.h>
#include <unistd.h>

#include <cerrno>

#include "NUVLoopWaiter.h"

NUVLoopWaiter::NUVLoopWaiter() : _Handle(epoll_create1(EPOLL_CLOEXEC)) {}

NUVLoopWaiter::~NUVLoopWaiter() {
  if (_Handle >= 0) close(_Handle);
}

int NUVLoopWaiter::Watch(int descriptor) {
  epoll_event event = {};
  event.events = EPOLLIN;
  event.data.fd = descriptor;
  if (epoll_ctl(_Handle, EPOLL_CTL_ADD, descriptor, &event) == 0) return 1;
  return errno == EPERM ? 0 : -1;  // EPERM: a regular file or a directory
}

void NUVLoopWaiter::Unwatch(int descriptor) {
  // Fails harmlessly when the descriptor was closed meanwhile.
  epoll_ctl(_Handle, EPOLL_CTL_DEL, descriptor, nullptr);
}

int NUVLoopWaiter::Wait(int milliseconds, int* ready, int capacity) {
  const int kMax = 64;
  epoll_event events[kMax];
  int n = epoll_wait(_Handle, events, capacity < kMax ? capacity : kMax, milliseconds);
  if (n < 0) return errno == EINTR ? 0 : -1;
  for (int i = 0; i < n; ++i) ready[i] = events[i].data.fd;
  return n;
}
