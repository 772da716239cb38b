// Messages through the whole path (Post -> wake-up -> the loop's poll ->
// ExecuteMessage -> Execute), beside the floors of the wake-up channels
// measured in the same run (bench_floors_posix.cpp, bench_floors_win.cpp).
//
// The queue picks its wake-up when the library loads: run this program once
// as it is (socket wake-up) and once with PLMSIM_MESSAGEQUEUE_TIMER=1 (the
// zero time-out wake-up); tools/dev bench does both.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "NUVApplication.h"
#include "NUVSimMessage.h"
#include "NUVSimMessageQueue.h"
#include "NUVSockets.h"

namespace {

class NullMessage : public NUVSimMessage {
 public:
  void Execute(unsigned char flush) override {
    ++executions;
    NUVSimMessage::Execute(flush);
  }
  int64_t executions = 0;
};

// The whole path, in the wake-up mode this process was started with. The
// loop also watches one idle descriptor, as a host's loop always has some.
void BM_MessageWholePath(benchmark::State& state) {
  NUVSimMessageQueue::DeleteMessageQueueInstance();
  NUVApplication app("bench");
  NUVSockets* idle = nullptr;
  NUVSockets* idlePeer = nullptr;
  if (!NUVSockets::MakeLocalPair(idle, idlePeer)) state.SkipWithError("no idle descriptor");
  const int idleFd = idle ? idle->GetHandler() : -1;
  app.AddFileDescriptor(idleFd, nullptr, nullptr, [](NUVCommand*, int, void*) {});
  NullMessage* message = new NullMessage;
  for (auto _ : state) {
    message->Post();
    app.RunOneTurn(-1);
  }
  if (message->executions != static_cast<int64_t>(state.iterations())) {
    state.SkipWithError("a message was not executed once per turn");
  }
  state.SetLabel(NUVSimMessageQueue::UsesSocketWakeUp() ? "socket wake-up" : "time-out wake-up");
  NUVSimMessageQueue::DeleteMessageQueueInstance();
  while (app.PendingTimeOuts() > 0) app.RunOneTurn(0);
  app.RemoveFileDescriptor(idleFd, nullptr);
  delete idle;
  delete idlePeer;
  message->Release();
}
BENCHMARK(BM_MessageWholePath);

}  // namespace
