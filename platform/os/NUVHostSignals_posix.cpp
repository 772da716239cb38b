// SIGINT and SIGTERM through a self-pipe: the handler records the signal and
// writes one byte to a non-blocking pipe (a full pipe already holds a
// wake-up, so a failed write loses nothing); the loop watches the pipe's
// read end and asks the application to stop.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "NUVApplication.h"
#include "NUVHostSignals.h"

namespace {

volatile sig_atomic_t g_Status = 0;
int g_Pipe[2] = {-1, -1};
NUVApplication* g_App = nullptr;
bool g_Installed = false;
struct sigaction g_SavedInterrupt;
struct sigaction g_SavedTerminate;

void OnSignal(int signal) {
  int savedErrno = errno;
  if (g_Status == 0) g_Status = signal == SIGINT ? 130 : 143;
  char wake = 1;
  ssize_t written = write(g_Pipe[1], &wake, 1);
  (void)written;
  errno = savedErrno;
}

void OnPipeReadable(NUVCommand*, int descriptor, void*) {
  char drained[64];
  while (read(descriptor, drained, sizeof drained) > 0) {
  }
  if (g_App) g_App->RequestStop();
}

bool MakePipe() {
  if (pipe(g_Pipe) != 0) return false;
  for (int end : g_Pipe) {
    fcntl(end, F_SETFL, fcntl(end, F_GETFL) | O_NONBLOCK);
    fcntl(end, F_SETFD, FD_CLOEXEC);
  }
  return true;
}

}  // namespace

void NUVHostSignals::StopOnInterrupt(NUVApplication& app) {
  Restore();
  g_Status = 0;
  if (!MakePipe()) return;
  g_App = &app;
  app.AddFileDescriptor(g_Pipe[0], nullptr, nullptr, &OnPipeReadable);
  struct sigaction onSignal = {};
  onSignal.sa_handler = &OnSignal;
  sigemptyset(&onSignal.sa_mask);
  onSignal.sa_flags = SA_RESTART;
  sigaction(SIGINT, &onSignal, &g_SavedInterrupt);
  sigaction(SIGTERM, &onSignal, &g_SavedTerminate);
  g_Installed = true;
}

void NUVHostSignals::Restore() {
  if (!g_Installed) return;
  sigaction(SIGINT, &g_SavedInterrupt, nullptr);
  sigaction(SIGTERM, &g_SavedTerminate, nullptr);
  // The application may be gone already; only the one alive now can hold
  // the registration.
  if (g_App && g_App == NUVApplication::MainApplication()) {
    g_App->RemoveFileDescriptor(g_Pipe[0], nullptr);
  }
  g_App = nullptr;
  close(g_Pipe[0]);
  close(g_Pipe[1]);
  g_Pipe[0] = g_Pipe[1] = -1;
  g_Installed = false;
}

int NUVHostSignals::InterruptStatus() { return g_Status; }
