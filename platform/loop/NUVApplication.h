// NUVApplication: the interactive application and its event loop.
//
// MainApplication() is null until a host creates the application. The loop
// runs in turns with fixed phases:
//   1. wait for the registered descriptors (one system call, epoll on
//      Linux, whatever the number of idle descriptors), no longer than until
//      the earliest time-out is due (not at all when one is due already, for
//      ever when nothing is registered and no time-out is pending);
//   2. call the handler of every descriptor reported readable, in the order
//      they were registered;
//   3. run at most one due time-out, the earliest (zero delays in the order
//      they were added).
// So each zero time-out gets a turn of its own, with the descriptors polled
// in between: a time-out that adds another from its handler cannot starve
// input. An idle loop sleeps in the wait and uses no CPU. Delayed time-outs
// are due by the loop's clock, which a test may steer (SetClock).
//
//   NUVApplication app("velloran-play");        // becomes MainApplication()
//   app.AddTimeOut(0, nullptr, data, &OnNextTurn);
//   app.Run();                                   // until RequestStop()
//
// Threading: user-interface thread only; the loop is not thread-safe.
#ifndef NUVApplication_h
#define NUVApplication_h

#include <cstdint>
#include <memory>

#include "NUVBaseUnknown.h"
#include "VelloranPlatformExport.h"

class NUVCallbackManager;
class NUVCommand;

// Called for a time-out with its identifier, or for a readable descriptor
// with the descriptor; `data` is the client data given at registration.
typedef void (*NUVLoopHandler)(NUVCommand* command, int idOrDescriptor, void* data);
// A clock in nanoseconds that only moves forward.
typedef int64_t (*NUVLoopClock)();

class VPL_EXPORT NUVApplication {
 public:
  // The new application becomes MainApplication() until it is destroyed.
  explicit NUVApplication(const char* name = "NUVApplication");
  ~NUVApplication();
  NUVApplication(const NUVApplication&) = delete;
  NUVApplication& operator=(const NUVApplication&) = delete;

  static NUVApplication* MainApplication();

  // The application's own events (the simulation's co-review notifications
  // among them): subscribers use the global AddCallback with the
  // application as publisher. Null only when it could not be allocated.
  NUVCallbackManager* GetCallbackManager() const;

  // Calls `handler` once, `milliseconds` after now (0: the next turn).
  // Returns a non-zero identifier.
  int AddTimeOut(int milliseconds, NUVCommand* command, void* data, NUVLoopHandler handler);
  // Cancels a pending time-out; returns 1 when it was pending.
  int RemoveTimeOut(int timeOutId);
  // Calls `handler` whenever `descriptor` is readable, until removed.
  // Returns 0 on success, -1 for a bad descriptor or a duplicate.
  int AddFileDescriptor(int descriptor, NUVCommand* command, void* data, NUVLoopHandler handler);
  // Removes the registration of (descriptor, command); command null: any.
  int RemoveFileDescriptor(int descriptor, NUVCommand* command);
  // Drops every time-out and descriptor registered for `command`.
  void RemoveRegistrationsOf(NUVCommand* command);
  // Drops every time-out and descriptor served by `handler`, whatever its
  // command: a module about to be unloaded leaves none of its code behind.
  // Returns the number of registrations dropped.
  int RemoveRegistrationsWithHandler(NUVLoopHandler handler);

  // The clock that delayed time-outs are due by (null, the default: the
  // system's monotonic clock). A test steers time with a clock of its own.
  void SetClock(NUVLoopClock clock);

  // Runs turns until RequestStop(). Returns the number of turns run.
  int64_t Run();
  // Runs one turn. `waitMilliseconds` bounds the wait of phase 1 (-1: as
  // long as needed, 0: do not wait). Returns 1 when a handler ran.
  int RunOneTurn(int waitMilliseconds = -1);
  void RequestStop();
  bool StopRequested() const;

  int PendingTimeOuts() const;
  int RegisteredDescriptors() const;
  int64_t TurnCount() const;

  // True when phase 1 of the current turn reported `descriptor` readable and
  // nothing consumed that report yet. Lets a handler that must test
  // readiness first skip a second system call.
  bool WasReportedReadable(int descriptor) const;
  // Marks the report of `descriptor` as consumed (a read drained it).
  void ConsumeReadableReport(int descriptor);

 private:
  struct Impl;
  std::unique_ptr<Impl> _pImpl;
};

#endif
