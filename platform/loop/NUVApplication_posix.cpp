#include "NUVApplication.h"

#include <poll.h>
#include <time.h>

#include <algorithm>
#include <cerrno>
#include <deque>
#include <map>
#include <vector>

#include "NUVCommand.h"

namespace {

NUVApplication* g_pMainApplication = nullptr;

int64_t MonotonicNanoseconds() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

struct TimeOut {
  int id;
  int64_t due;  // monotonic nanoseconds
  NUVCommand* command;
  void* data;
  NUVLoopHandler handler;
};

struct Descriptor {
  int fd;
  NUVCommand* command;
  void* data;
  NUVLoopHandler handler;
};

}  // namespace

struct NUVApplication::Impl {
  const char* name;
  // Zero-delay time-outs, in the order they were added; most of the traffic.
  std::deque<TimeOut> nextTurn;
  // Delayed time-outs by due time; ties keep their order of addition.
  std::multimap<int64_t, TimeOut> delayed;
  std::vector<Descriptor> descriptors;
  // Rebuilt from `descriptors` at the start of a turn when they changed, so
  // that entry i is descriptors[i] until a handler adds or removes one. Its
  // revents are the readiness reports of the current turn; a read clears
  // its descriptor's report.
  std::vector<pollfd> pollSet;
  bool pollSetStale = true;
  // The poll set whose reports phase 2 is serving (the inner one while a
  // handler runs a turn of its own), null outside phase 2.
  std::vector<pollfd>* reporting = nullptr;
  int nextId = 0;
  bool stop = false;
  int64_t turns = 0;
  NUVLoopClock clock = nullptr;

  int64_t NowNanoseconds() const { return clock ? clock() : MonotonicNanoseconds(); }

  static bool Readable(const pollfd& p) { return (p.revents & (POLLIN | POLLHUP | POLLERR)) != 0; }

  pollfd* Report(int descriptor) {
    if (!reporting) return nullptr;
    for (pollfd& p : *reporting) {
      if (p.fd == descriptor) return &p;
    }
    return nullptr;
  }

  // Phase 2: the handler of every descriptor reported readable in `set`.
  // Handlers may add or remove descriptors: the entry is then looked up
  // again, and one removed meanwhile is skipped.
  bool RunReadyHandlers(std::vector<pollfd>& set) {
    bool ran = false;
    std::vector<pollfd>* outer = reporting;
    reporting = &set;
    for (size_t i = 0; i < set.size(); ++i) {
      if (!Readable(set[i])) continue;
      int fd = set[i].fd;
      const Descriptor* e = nullptr;
      if (&set == &pollSet && !pollSetStale && i < descriptors.size() && descriptors[i].fd == fd) {
        e = &descriptors[i];
      } else {
        for (const Descriptor& candidate : descriptors) {
          if (candidate.fd == fd) e = &candidate;
        }
        if (!e) continue;  // removed by an earlier handler
      }
      Descriptor call = *e;  // the handler may change `descriptors`
      call.handler(call.command, call.fd, call.data);
      ran = true;
    }
    reporting = outer;
    return ran;
  }

  int NewId() {
    if (++nextId <= 0) nextId = 1;
    return nextId;
  }

  // Milliseconds phase 1 may wait, given the caller's bound.
  int WaitBound(int callerBound) const {
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
  g_pMainApplication = this;
}

NUVApplication::~NUVApplication() {
  if (g_pMainApplication == this) g_pMainApplication = nullptr;
}

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
  for (auto it = d.nextTurn.begin(); it != d.nextTurn.end(); ++it) {
    if (it->id == timeOutId) {
      d.nextTurn.erase(it);
      return 1;
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
  for (const Descriptor& e : d.descriptors) {
    if (e.fd == descriptor) return -1;
  }
  d.descriptors.push_back({descriptor, command, data, handler});
  d.pollSetStale = true;
  return 0;
}

int NUVApplication::RemoveFileDescriptor(int descriptor, NUVCommand* command) {
  Impl& d = *_pImpl;
  for (auto it = d.descriptors.begin(); it != d.descriptors.end(); ++it) {
    if (it->fd == descriptor && (!command || it->command == command)) {
      d.descriptors.erase(it);
      d.pollSetStale = true;
      ConsumeReadableReport(descriptor);
      return 0;
    }
  }
  return -1;
}

void NUVApplication::RemoveRegistrationsOf(NUVCommand* command) {
  if (!command) return;
  Impl& d = *_pImpl;
  auto owned = [command](const auto& e) { return e.command == command; };
  d.nextTurn.erase(std::remove_if(d.nextTurn.begin(), d.nextTurn.end(), owned), d.nextTurn.end());
  for (auto it = d.delayed.begin(); it != d.delayed.end();) {
    it = it->second.command == command ? d.delayed.erase(it) : std::next(it);
  }
  size_t before = d.descriptors.size();
  d.descriptors.erase(std::remove_if(d.descriptors.begin(), d.descriptors.end(), owned),
                      d.descriptors.end());
  if (d.descriptors.size() != before) d.pollSetStale = true;
}

int NUVApplication::RunOneTurn(int waitMilliseconds) {
  Impl& d = *_pImpl;
  bool ran = false;

  // Phase 1: wait for descriptors or the earliest time-out. A turn run
  // from inside a handler polls a set of its own and leaves the outer
  // turn's reports alone.
  std::vector<pollfd> inner;
  std::vector<pollfd>* set = &d.pollSet;
  if (d.reporting) {
    for (const Descriptor& e : d.descriptors) inner.push_back({e.fd, POLLIN, 0});
    set = &inner;
  } else if (d.pollSetStale) {
    d.pollSet.clear();
    for (const Descriptor& e : d.descriptors) d.pollSet.push_back({e.fd, POLLIN, 0});
    d.pollSetStale = false;
  }
  int wait = d.WaitBound(waitMilliseconds);
  if (!set->empty() || wait != 0) {
    if (set->empty() && wait < 0) return 0;  // nothing could ever wake us
    int ready = ::poll(set->data(), set->size(), wait);
    // Phase 2: handlers of readable descriptors.
    if (ready > 0) {
      if (d.RunReadyHandlers(*set)) ran = true;
    } else if (ready < 0 && errno != EINTR) {
      return 0;
    }
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
    if (d.descriptors.empty() && d.nextTurn.empty() && d.delayed.empty()) break;
    RunOneTurn(-1);
  }
  d.stop = false;
  return d.turns - start;
}

void NUVApplication::RequestStop() { _pImpl->stop = true; }
bool NUVApplication::StopRequested() const { return _pImpl->stop; }

int NUVApplication::PendingTimeOuts() const {
  return static_cast<int>(_pImpl->nextTurn.size() + _pImpl->delayed.size());
}
int NUVApplication::RegisteredDescriptors() const {
  return static_cast<int>(_pImpl->descriptors.size());
}
int64_t NUVApplication::TurnCount() const { return _pImpl->turns; }

bool NUVApplication::WasReportedReadable(int descriptor) const {
  const pollfd* p = _pImpl->Report(descriptor);
  return p && Impl::Readable(*p);
}

void NUVApplication::ConsumeReadableReport(int descriptor) {
  if (pollfd* p = _pImpl->Report(descriptor)) p->revents = 0;
}

void NUVApplication::SetClock(NUVLoopClock clock) { _pImpl->clock = clock; }

int NUVApplication::RemoveRegistrationsWithHandler(NUVLoopHandler handler) {
  if (!handler) return 0;
  Impl& d = *_pImpl;
  auto served = [handler](const auto& e) { return e.handler == handler; };
  size_t before = d.nextTurn.size() + d.delayed.size() + d.descriptors.size();
  d.nextTurn.erase(std::remove_if(d.nextTurn.begin(), d.nextTurn.end(), served),
                   d.nextTurn.end());
  for (auto it = d.delayed.begin(); it != d.delayed.end();) {
    it = it->second.handler == handler ? d.delayed.erase(it) : std::next(it);
  }
  size_t descriptorsBefore = d.descriptors.size();
  for (const Descriptor& e : d.descriptors) {
    if (e.handler == handler) ConsumeReadableReport(e.fd);
  }
  d.descriptors.erase(std::remove_if(d.descriptors.begin(), d.descriptors.end(), served),
                      d.descriptors.end());
  if (d.descriptors.size() != descriptorsBefore) d.pollSetStale = true;
  return static_cast<int>(before - d.nextTurn.size() - d.delayed.size() - d.descriptors.size());
}
