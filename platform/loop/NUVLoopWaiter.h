// NUVLoopWaiter: the operating system's part of the event loop's wait, for
// NUVApplication only (not exported). It keeps the set of watched
// descriptors with the system, so a wait costs one system call whatever the
// number of idle descriptors.
//
//   NUVLoopWaiter waiter;
//   waiter.Watch(fd);
//   int ready[8];
//   int n = waiter.Wait(50, ready, 8);   // readable descriptors, n of them
//
// Descriptors are those of the system: file descriptors on POSIX; sockets
// or waitable handles (events) on Windows, where a message posted to the
// thread also ends a wait.
// Threading: user-interface thread only, like the loop.
#ifndef NUVLoopWaiter_h
#define NUVLoopWaiter_h

class NUVLoopWaiter {
 public:
  NUVLoopWaiter();
  ~NUVLoopWaiter();
  NUVLoopWaiter(const NUVLoopWaiter&) = delete;
  NUVLoopWaiter& operator=(const NUVLoopWaiter&) = delete;

  // Starts watching `descriptor` for readability: 1 when the system watches
  // it, 0 when it cannot but the descriptor is valid (a regular file, always
  // readable: the loop then reports it on every turn), -1 for a bad one.
  int Watch(int descriptor);
  void Unwatch(int descriptor);
  // Waits up to `milliseconds` (-1: no limit, 0: not at all) until a watched
  // descriptor is readable (or its peer closed, or it failed); writes up to
  // `capacity` of them to `ready`. Returns their count, 0 on time-out or
  // interruption, -1 when the wait itself failed.
  int Wait(int milliseconds, int* ready, int capacity);

 private:
  int _Handle;  // the system's watch set, when it has one
  // What the system needs beside, per watched descriptor (Windows: the
  // event each socket signals); null where it needs nothing.
  struct Watches;
  Watches* _pWatches = nullptr;
};

#endif
