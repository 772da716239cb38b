// The floors of the message path's wake-up channels on Windows: one byte
// sent, waited for and received back by one thread over loopback TCP; an
// event object set, waited for and reset (what the in-process link costs
// the system); a zero time-out WSAPoll of one idle socket.
#include <winsock2.h>
#include <windows.h>

#include <benchmark/benchmark.h>

#include "NUVSocketConnector.h"
#include "NUVSockets.h"

namespace {

void BM_Floor_LoopbackTcpPair(benchmark::State& state) {
  NUVSocketConnector connector(0, 10, NUVSocketConnector::Network);
  connector.Declare(nullptr);
  NUVSockets reader(-1, nullptr);
  reader.Connect(connector.GetPort(), nullptr);
  NUVSockets* writer = connector.Accept();
  if (!writer) {
    state.SkipWithError("no loopback connection");
    return;
  }
  SOCKET in = static_cast<SOCKET>(reader.GetHandler());
  SOCKET out = static_cast<SOCKET>(writer->GetHandler());
  char byte = 'X';
  WSAPOLLFD p = {};
  p.fd = in;
  p.events = POLLRDNORM;
  for (auto _ : state) {
    if (send(out, &byte, 1, 0) != 1 || WSAPoll(&p, 1, -1) != 1 || recv(in, &byte, 1, 0) != 1) {
      state.SkipWithError("round trip failed");
      break;
    }
  }
  delete writer;
}
BENCHMARK(BM_Floor_LoopbackTcpPair);

void BM_Floor_EventObject(benchmark::State& state) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  for (auto _ : state) {
    if (!SetEvent(event) || WaitForSingleObject(event, INFINITE) != WAIT_OBJECT_0 ||
        !ResetEvent(event)) {
      state.SkipWithError("round trip failed");
      break;
    }
  }
  CloseHandle(event);
}
BENCHMARK(BM_Floor_EventObject);

// A bare poll with a zero time-out on one idle socket: the floor of one
// turn of a loop that has something to watch.
void BM_Floor_ZeroTimeoutPoll(benchmark::State& state) {
  NUVSocketConnector connector(0, 10, NUVSocketConnector::Network);
  if (connector.Declare(nullptr) != 0) {
    state.SkipWithError("no socket");
    return;
  }
  WSAPOLLFD p = {};
  p.fd = static_cast<SOCKET>(connector.GetHandler());
  p.events = POLLRDNORM;
  for (auto _ : state) benchmark::DoNotOptimize(WSAPoll(&p, 1, 0));
}
BENCHMARK(BM_Floor_ZeroTimeoutPoll);

}  // namespace
