// Co-review latency: one value from the leader's messenger to the follower's
// coordinator (co-review notification raised on the application -> encode ->
// envelope -> PUB socket -> the follower's loop wakes on the socket's
// descriptor -> envelope check -> decode -> immediate dispatch), beside a
// bare ZeroMQ PUB/SUB round of a frame of the same size measured in the same
// run, over tcp://127.0.0.1 and ipc://. Both sides live in this process.
#ifdef VELLORAN_BENCH_ZMQ
#include <benchmark/benchmark.h>
#include <poll.h>
#include <unistd.h>
#include <zmq.h>

#include <string>

#include "NUVApplication.h"
#include "NUVCallbackManager.h"
#include "NUVCollabSessionManager.h"
#include "NUVEventSubscriber.h"
#include "NUVSimCoReviewNotification.h"
#include "NUVSimMasterObservation.h"

namespace {

// The size of one value's frame: envelope (session "b", the messenger's
// name) and the three fields.
const size_t kFrameBytes = 4 + 1 + 1 + 1 + 1 + 27 + 17;

std::string Endpoint(bool tcp) {
  return tcp ? "tcp://127.0.0.1:*" : "ipc:///tmp/velloran-bench-collab-" + std::to_string(getpid());
}

class Arrivals : public NUVEventSubscriber {
 public:
  void On(const char*, void*, NUVNotification*, void*, int) { ++count; }
  long long count = 0;
};

void BM_CoReviewValue(benchmark::State& state) {
  NUVApplication app("bench");
  {
    NUVCollabSessionManager leader, follower;
    if (leader.StartReview(NUVCollabSessionManager::Leader, Endpoint(state.range(0)).c_str(), "b") < 0 ||
        follower.StartReview(NUVCollabSessionManager::Follower, leader.Endpoint().c_str(), "b") < 0 ||
        leader.AddMessenger("NUVECoMessengerForSimEngine") < 0 ||
        follower.AddMessenger("NUVECoMessengerForSimEngine") < 0) {
      state.SkipWithError("no review");
      return;
    }
    while (leader.FollowerCount() < 1) app.RunOneTurn(100);
    NUVISimMasterObservation_var coordinator;
    NUVSimMasterObservation::Get(coordinator, NUVBaseUnknown_var(), 1);
    Arrivals arrivals;
    arrivals.AddCallback(coordinator->GetImpl(0), NUVSimMasterObservation::NUVSIM_CYCLE(),
                         NUVSubscriberMethodCast(&Arrivals::On), nullptr);
    NUVSimCoReviewNotification value;
    value.SetValue(NUVSimValue(5LL, 1));
    for (auto _ : state) {
      const long long before = arrivals.count;
      app.GetCallbackManager()->DispatchCallbacks(NUVSimCoReviewNotification::ClassName(), &value);
      while (arrivals.count == before) app.RunOneTurn(-1);
    }
    arrivals.RemoveCallbacksOn(coordinator->GetImpl(0), nullptr, nullptr);
  }
  NUVSimMasterObservation::ResetAll();
}
BENCHMARK(BM_CoReviewValue)->Arg(1)->Arg(0)->ArgNames({"tcp"});

// The floor: a frame of the same size sent on PUB, received on SUB with a
// blocking receive (range(1) 0), or as an event loop must (range(1) 1): poll
// the socket's ZMQ_FD, then receive while ZMQ_EVENTS reports input.
void BM_Floor_ZmqPubSub(benchmark::State& state) {
  void* context = zmq_ctx_new();
  void* pub = zmq_socket(context, ZMQ_XPUB);
  void* sub = zmq_socket(context, ZMQ_SUB);
  char endpoint[256] = {0};
  size_t size = sizeof endpoint;
  zmq_bind(pub, Endpoint(state.range(0)).c_str());
  zmq_getsockopt(pub, ZMQ_LAST_ENDPOINT, endpoint, &size);
  zmq_setsockopt(sub, ZMQ_SUBSCRIBE, "", 0);
  zmq_connect(sub, endpoint);
  char buffer[256];
  zmq_recv(pub, buffer, sizeof buffer, 0);  // the subscription arrived
  const std::string frame(kFrameBytes, 'x');
  int fd = -1;
  size = sizeof fd;
  zmq_getsockopt(sub, ZMQ_FD, &fd, &size);
  const bool throughFd = state.range(1) != 0;
  for (auto _ : state) {
    zmq_send(pub, frame.data(), frame.size(), 0);
    if (!throughFd) {
      benchmark::DoNotOptimize(zmq_recv(sub, buffer, sizeof buffer, 0));
      continue;
    }
    for (bool received = false; !received;) {
      pollfd p = {fd, POLLIN, 0};
      poll(&p, 1, -1);
      for (;;) {
        int events = 0;
        size = sizeof events;
        zmq_getsockopt(sub, ZMQ_EVENTS, &events, &size);
        if (!(events & ZMQ_POLLIN)) break;
        received = zmq_recv(sub, buffer, sizeof buffer, ZMQ_DONTWAIT) >= 0 || received;
      }
    }
  }
  int linger = 0;
  zmq_setsockopt(pub, ZMQ_LINGER, &linger, sizeof linger);
  zmq_setsockopt(sub, ZMQ_LINGER, &linger, sizeof linger);
  zmq_close(sub);
  zmq_close(pub);
  zmq_ctx_term(context);
}
BENCHMARK(BM_Floor_ZmqPubSub)->ArgsProduct({{1, 0}, {0, 1}})->ArgNames({"tcp", "fd"});

}  // namespace
#endif
