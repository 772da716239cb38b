// The event loop's phases and bookkeeping; the wait of phase 1 is the
// operating system's, behind NUVLoopWaiter.
#include "NUVApplication.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <map>
#include <vector>

#include "NUVCallbackManager.h"
#include "NUVCommand.h"
#include "NUVLoopWaiter.h"

namespace {

NUVApplication* g_pMainApplication = nullptr;

int64_t MonotonicNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

struct TimeOut {
  int id;
  int64_t due;  // nanoseconds of the loop's clock
  NUVCommand* command;
  void* data;
  NUVLoopHandler handler;
};

struct Descriptor {
  int fd;
  NUVCommand* command;
  void* data;
  NUVLoopHandler handler;
  // Not watchable by the system (a regular file): reported readable on
  // every turn, as poll does.
  bool alwaysReady;
};

// A descriptor reported readable by the current turn; `pending` is cleared
// once a read used the report up.
struct Report {
  int fd;
  size_t order;  // registration order, in which handlers run
  bool pending;
};

const int kMaxReadyPerTurn = 64;

}  // namespace

struct NUVApplication::Impl {
  const char* name;
  NUVLoopWaiter waiter;
  // Zero-delay time-outs, in the order they were added; most of the traffic.
  // A cancelled one stays in place with a null handler until it reaches the
  // front, so that cancelling costs a binary search, not a shift: ids grow
  // along the list until they wrap.
  std::deque<TimeOut> nextTurn;
  size_t cancelled = 0;
  bool idsWrapped = false;
  // Delayed time-outs by due time; ties keep their order of addition.
  std::multimap<int64_t, TimeOut> delayed;
  std::vector<Descriptor> descriptors;  // in registration order
  int alwaysReady = 0;
  // The reports phase 2 is serving (a handler's own turn serves its own),
  // null outside phase 2; `reports` is the outermost turn's, kept to reuse
  // its storage.
  std::vector<Report>* reporting = nullptr;
  std::vector<Report> reports;
  int nextId = 0;
  bool stop = false;
  int64_t turns = 0;
  NUVLoopClock clock = nullptr;
  NUVCallbackManager* events = nullptr;  // one reference

  int64_t NowNanoseconds() const { return clock ? clock() : MonotonicNanoseconds(); }

  Report* FindReport(int descriptor) {
    if (!reporting) return nullptr;
    for (Report& r : *reporting) {
      if (r.fd == descriptor) return &r;
    }
    return nullptr;
  }

  const Descriptor* Find(int fd) const {
    for (const Descriptor& e : descriptors) {
      if (e.fd == fd) return &e;
    }
    return nullptr;
  }

  // Drops the system's watch and this turn's report of `e`.
  void Forget(const Descriptor& e) {
    if (e.alwaysReady) {
      --alwaysReady;
    } else {
      waiter.Unwatch(e.fd);
    }
    if (Report* r = FindReport(e.fd)) r->pending = false;
  }

  template <class Predicate>
  size_t ForgetDescriptorsIf(Predicate matches) {
    size_t before = descriptors.size();
    for (const Descriptor& e : descriptors) {
      if (matches(e)) Forget(e);
    }
    descriptors.erase(std::remove_if(descriptors.begin(), descriptors.end(), matches),
                      descriptors.end());
    return before - descriptors.size();
  }

  // Phase 1: waits up to `wait` milliseconds and lists in `out` the
  // descriptors that are readable, in registration order. False when the
  // wait failed.
  bool Wait(int wait, std::vector<Report>& out) {
    out.clear();
    if (alwaysReady > 0) wait = 0;
    int fds[kMaxReadyPerTurn];
    int ready = waiter.Wait(wait, fds, kMaxReadyPerTurn);
    if (ready < 0) return false;
    for (int i = 0; i < ready; ++i) out.push_back({fds[i], 0, true});
    for (size_t i = 0; alwaysReady > 0 && i < descriptors.size(); ++i) {
      if (descriptors[i].alwaysReady) out.push_back({descriptors[i].fd, 0, true});
    }
    if (out.size() > 1) {
      for (Report& r : out) {
        const Descriptor* e = Find(r.fd);
        r.order = e ? static_cast<size_t>(e - descriptors.data()) : descriptors.size();
      }
      std::sort(out.begin(), out.end(),
                [](const Report& a, const Report& b) { return a.order < b.order; });
    }
    return true;
  }

  // Phase 2: the handler of every descriptor reported. Handlers may add or
  // remove descriptors: each is looked up again, and one removed meanwhile
  // is skipped.
  bool RunReadyHandlers(std::vector<Report>& ready) {
    bool ran = false;
    std::vector<Report>* outer = reporting;
    reporting = &ready;
    for (size_t i = 0; i < ready.size(); ++i) {
      const Descriptor* e = Find(ready[i].fd);
      if (!e) continue;
      Descriptor call = *e;  // the handler may change `descriptors`
      call.handler(call.command, call.fd, call.data);
      ran = true;
    }
    reporting = outer;
    return ran;
  }

  int NewId() {
    if (++nextId <= 0) {
      nextId = 1;
      idsWrapped = true;
    }
    return nextId;
  }

  void DropCancelledFront() {
    while (!nextTurn.empty() && !nextTurn.front().handler) {
      nextTurn.pop_front();
      --cancelled;
    }
  }

  // Physically drops the zero time-outs `matches` selects, cancelled ones
  // with them; returns how many live ones went.
  template <class Predicate>
  size_t DropNextTurnIf(Predicate matches) {
    size_t live = nextTurn.size() - cancelled;
    nextTurn.erase(std::remove_if(nextTurn.begin(), nextTurn.end(),
                                  [&](const TimeOut& t) { return !t.handler || matches(t); }),
                   nextTurn.end());
    cancelled = 0;
    return live - nextTurn.size();
  }

  // Milliseconds phase 1 may wait, given the caller's bound.
  int WaitBound(int callerBound) {
    DropCancelledFront();
    if (!nextTurn.empty()) return 0;
    int wait = callerBound;
    if (!delayed.empty()) {
      int64_t remaining = delayed.begin()->first - NowNanoseconds();
      int ms = remaining <= 0 ? 0 : static_cast<int>((remaining + 999999) / 1000000);
      if (wait < 0 || ms < wait) wait = ms;
    }
    return wait;
  }

  // Phase 3: the earliest due time-out, if any, is taken off and run.
  bool RunOneDueTimeOut() {
    DropCancelledFront();
    bool haveDelayed = !delayed.empty();
    int64_t now = haveDelayed ? NowNanoseconds() : 0;
    bool delayedDue = haveDelayed && delayed.begin()->first <= now;
    TimeOut t;
    if (!nextTurn.empty() && (!delayedDue || nextTurn.front().due <= delayed.begin()->first)) {
      t = nextTurn.front();
      nextTurn.pop_front();
    } else if (delayedDue) {
      t = delayed.begin()->second;
      delayed.erase(delayed.begin());
    } else {
      return false;
    }
    t.handler(t.command, t.id, t.data);
    return true;
  }
};

NUVApplication::NUVApplication(const char* name) : _pImpl(new Impl) {
  _pImpl->name = name;
  _pImpl->events = NUVNew<NUVCallbackManager>(this);
  g_pMainApplication = this;
}

NUVApplication::~NUVApplication() {
  if (g_pMainApplication == this) g_pMainApplication = nullptr;
  if (_pImpl->events) _pImpl->events->Release();
}

NUVCallbackManager* NUVApplication::GetCallbackManager() const { return _pImpl->events; }

NUVApplication* NUVApplication::MainApplication() { return g_pMainApplication; }

int NUVApplication::AddTimeOut(int milliseconds, NUVCommand* command, void* data,
                               NUVLoopHandler handler) {
  if (!handler) return 0;
  Impl& d = *_pImpl;
  int id = d.NewId();
  if (milliseconds <= 0) {
    // Ordered among the delayed ones by the time it was added; the clock is
    // only read when delayed time-outs could compete with it.
    d.nextTurn.push_back({id, d.delayed.empty() ? 0 : d.NowNanoseconds(), command, data, handler});
  } else {
    int64_t due = d.NowNanoseconds() + static_cast<int64_t>(milliseconds) * 1000000;
    d.delayed.emplace(due, TimeOut{id, due, command, data, handler});
  }
  return id;
}

int NUVApplication::RemoveTimeOut(int timeOutId) {
  Impl& d = *_pImpl;
  auto cancel = [&](TimeOut& t) {
    if (t.id != timeOutId || !t.handler) return false;
    t.handler = nullptr;
    ++d.cancelled;
    return true;
  };
  if (!d.idsWrapped) {
    auto it = std::lower_bound(d.nextTurn.begin(), d.nextTurn.end(), timeOutId,
                               [](const TimeOut& t, int id) { return t.id < id; });
    if (it != d.nextTurn.end() && cancel(*it)) return 1;
  } else {
    for (TimeOut& t : d.nextTurn) {
      if (cancel(t)) return 1;
    }
  }
  for (auto it = d.delayed.begin(); it != d.delayed.end(); ++it) {
    if (it->second.id == timeOutId) {
      d.delayed.erase(it);
      return 1;
    }
  }
  return 0;
}

int NUVApplication::AddFileDescriptor(int descriptor, NUVCommand* command, void* data,
                                      NUVLoopHandler handler) {
  if (descriptor < 0 || !handler) return -1;
  Impl& d = *_pImpl;
  if (d.Find(descriptor)) return -1;
  int watched = d.waiter.Watch(descriptor);
  if (watched < 0) return -1;
  if (watched == 0) ++d.alwaysReady;
  d.descriptors.push_back({descriptor, command, data, handler, watched == 0});
  return 0;
}

int NUVApplication::RemoveFileDescriptor(int descriptor, NUVCommand* command) {
  size_t removed = _pImpl->ForgetDescriptorsIf([&](const Descriptor& e) {
    return e.fd == descriptor && (!command || e.command == command);
  });
  return removed ? 0 : -1;
}

void NUVApplication::RemoveRegistrationsOf(NUVCommand* command) {
  if (!command) return;
  Impl& d = *_pImpl;
  auto owned = [command](const auto& e) { return e.command == command; };
  d.DropNextTurnIf(owned);
  for (auto it = d.delayed.begin(); it != d.delayed.end();) {
    it = it->second.command == command ? d.delayed.erase(it) : std::next(it);
  }
  d.ForgetDescriptorsIf(owned);
}

int NUVApplication::RunOneTurn(int waitMilliseconds) {
  Impl& d = *_pImpl;
  bool ran = false;

  // Phase 1: wait for descriptors or the earliest time-out. A turn run from
  // inside a handler lists its reports apart and leaves the outer turn's
  // alone.
  int wait = d.WaitBound(waitMilliseconds);
  if (!d.descriptors.empty() || wait != 0) {
    if (d.descriptors.empty() && wait < 0) return 0;  // nothing could ever wake us
    std::vector<Report> inner;
    std::vector<Report>& ready = d.reporting ? inner : d.reports;
    if (!d.Wait(wait, ready)) return 0;
    // Phase 2: handlers of readable descriptors.
    if (!ready.empty() && d.RunReadyHandlers(ready)) ran = true;
  }

  // Phase 3: one due time-out.
  if (d.RunOneDueTimeOut()) ran = true;
  ++d.turns;
  return ran ? 1 : 0;
}

int64_t NUVApplication::Run() {
  Impl& d = *_pImpl;
  d.stop = false;
  int64_t start = d.turns;
  while (!d.stop) {
    if (d.descriptors.empty() && PendingTimeOuts() == 0) break;
    RunOneTurn(-1);
  }
  d.stop = false;
  return d.turns - start;
}

void NUVApplication::RequestStop() { _pImpl->stop = true; }
bool NUVApplication::StopRequested() const { return _pImpl->stop; }

int NUVApplication::PendingTimeOuts() const {
  const Impl& d = *_pImpl;
  return static_cast<int>(d.nextTurn.size() - d.cancelled + d.delayed.size());
}
int NUVApplication::RegisteredDescriptors() const {
  return static_cast<int>(_pImpl->descriptors.size());
}
int64_t NUVApplication::TurnCount() const { return _pImpl->turns; }

bool NUVApplication::WasReportedReadable(int descriptor) const {
  const Report* r = _pImpl->FindReport(descriptor);
  return r && r->pending;
}

void NUVApplication::ConsumeReadableReport(int descriptor) {
  if (Report* r = _pImpl->FindReport(descriptor)) r->pending = false;
}

void NUVApplication::SetClock(NUVLoopClock clock) { _pImpl->clock = clock; }

int NUVApplication::RemoveRegistrationsWithHandler(NUVLoopHandler handler) {
  if (!handler) return 0;
  Impl& d = *_pImpl;
  auto served = [handler](const auto& e) { return e.handler == handler; };
  size_t before = d.delayed.size() + d.descriptors.size();
  size_t dropped = d.DropNextTurnIf(served);
  for (auto it = d.delayed.begin(); it != d.delayed.end();) {
    it = it->second.handler == handler ? d.delayed.erase(it) : std::next(it);
  }
  d.ForgetDescriptorsIf(served);
  return static_cast<int>(dropped + before - d.delayed.size() - d.descriptors.size());
}
