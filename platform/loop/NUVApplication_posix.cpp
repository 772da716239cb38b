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

int64_t NowNanoseconds() {
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
  std::vector<pollfd> pollSet;  // rebuilt from `descriptors` when they change
  bool pollSetStale = true;
  // Descriptors reported readable by the current turn's poll and not yet
  // consumed; only meaningful during phase 2.
  std::vector<int> reported;
  int nextId = 0;
  bool stop = false;
  int64_t turns = 0;

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
  int64_t now = NowNanoseconds();
  if (milliseconds <= 0) {
    d.nextTurn.push_back({id, now, command, data, handler});
  } else {
    int64_t due = now + static_cast<int64_t>(milliseconds) * 1000000;
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

  // Phase 1: wait for descriptors or the earliest time-out.
  if (d.pollSetStale) {
    d.pollSet.clear();
    for (const Descriptor& e : d.descriptors) d.pollSet.push_back({e.fd, POLLIN, 0});
    d.pollSetStale = false;
  }
  int wait = d.WaitBound(waitMilliseconds);
  if (!d.pollSet.empty() || wait != 0) {
    if (d.pollSet.empty() && wait < 0) return 0;  // nothing could ever wake us
    int ready = ::poll(d.pollSet.data(), d.pollSet.size(), wait);
    // Phase 2: handlers of readable descriptors. The poll set is copied
    // since a handler may add or remove descriptors.
    if (ready > 0) {
      d.reported.clear();
      std::vector<pollfd> polled = d.pollSet;
      for (const pollfd& p : polled) {
        if (p.revents & (POLLIN | POLLHUP | POLLERR)) d.reported.push_back(p.fd);
      }
      for (const pollfd& p : polled) {
        if (!(p.revents & (POLLIN | POLLHUP | POLLERR))) continue;
        auto it = std::find_if(d.descriptors.begin(), d.descriptors.end(),
                               [&](const Descriptor& e) { return e.fd == p.fd; });
        if (it == d.descriptors.end()) continue;  // removed by an earlier handler
        Descriptor e = *it;
        e.handler(e.command, e.fd, e.data);
        ran = true;
      }
      d.reported.clear();
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
  const std::vector<int>& r = _pImpl->reported;
  return std::find(r.begin(), r.end(), descriptor) != r.end();
}

void NUVApplication::ConsumeReadableReport(int descriptor) {
  std::vector<int>& r = _pImpl->reported;
  auto it = std::find(r.begin(), r.end(), descriptor);
  if (it != r.end()) r.erase(it);
}
