// The floors of the message path's wake-up channels on POSIX systems: one
// byte (or count) written, polled for and read back by one thread.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>

#include "NUVSocketConnector.h"
#include "NUVSockets.h"

namespace {

// One thread writes one byte, polls the reading end and reads the byte back.
void RoundTrip(benchmark::State& state, int writeFd, int readFd) {
  char byte = 'X';
  pollfd p = {readFd, POLLIN, 0};
  for (auto _ : state) {
    if (write(writeFd, &byte, 1) != 1 || poll(&p, 1, -1) != 1 || read(readFd, &byte, 1) != 1) {
      state.SkipWithError("round trip failed");
      break;
    }
  }
}

void BM_Floor_LoopbackTcpPair(benchmark::State& state) {
  NUVSocketConnector connector(0, 10, NUVSocketConnector::Network);
  connector.Declare(nullptr);
  NUVSockets reader(-1, nullptr);
  reader.Connect(connector.GetPort(), nullptr);
  NUVSockets* writer = connector.Accept();
  RoundTrip(state, writer->GetHandler(), reader.GetHandler());
  delete writer;
}
BENCHMARK(BM_Floor_LoopbackTcpPair);

void BM_Floor_LocalSocketPair(benchmark::State& state) {
  int fds[2];
  socketpair(AF_UNIX, SOCK_STREAM, 0, fds);
  RoundTrip(state, fds[1], fds[0]);
  close(fds[0]);
  close(fds[1]);
}
BENCHMARK(BM_Floor_LocalSocketPair);

void BM_Floor_Pipe(benchmark::State& state) {
  int fds[2];
  if (pipe(fds) != 0) state.SkipWithError("pipe");
  RoundTrip(state, fds[1], fds[0]);
  close(fds[0]);
  close(fds[1]);
}
BENCHMARK(BM_Floor_Pipe);

void BM_Floor_EventFdSemaphore(benchmark::State& state) {
  int fd = eventfd(0, EFD_SEMAPHORE);
  uint64_t one = 1;
  pollfd p = {fd, POLLIN, 0};
  for (auto _ : state) {
    if (write(fd, &one, sizeof one) != sizeof one || poll(&p, 1, -1) != 1 ||
        read(fd, &one, sizeof one) != sizeof one) {
      state.SkipWithError("round trip failed");
      break;
    }
  }
  close(fd);
}
BENCHMARK(BM_Floor_EventFdSemaphore);

// A bare poll with a zero time-out on one idle descriptor: the floor of one
// turn of a loop that has something to watch.
void BM_Floor_ZeroTimeoutPoll(benchmark::State& state) {
  int fds[2];
  if (pipe(fds) != 0) state.SkipWithError("pipe");
  pollfd p = {fds[0], POLLIN, 0};
  for (auto _ : state) benchmark::DoNotOptimize(poll(&p, 1, 0));
  close(fds[0]);
  close(fds[1]);
}
BENCHMARK(BM_Floor_ZeroTimeoutPoll);

}  // namespace
