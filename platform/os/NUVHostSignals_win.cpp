// Ctrl-C, Ctrl-Break and the console's close through a console control
// handler. The system calls it on a thread of its own: it records the status
// and sets an event object that the loop watches (the loop's wait takes
// waitable handles beside sockets); the loop's handler of that event asks
// the application to stop, the loop being the one thing that may call
// RequestStop.
// The system's header first: NUVOsCalls.h then adds nothing of its own.
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "NUVApplication.h"
#include "NUVHostSignals.h"
#include "NUVOsCalls.h"

namespace {

std::atomic<int> g_Status{0};
HANDLE g_Event = nullptr;
NUVApplication* g_App = nullptr;
bool g_Installed = false;

int Descriptor(HANDLE handle) { return static_cast<int>(reinterpret_cast<intptr_t>(handle)); }

BOOL WINAPI OnControl(DWORD event) {
  int status;
  switch (event) {
    case CTRL_C_EVENT: status = 130; break;
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT: status = 143; break;
    default: return FALSE;  // logoff, shutdown: the system's default
  }
  int none = 0;
  g_Status.compare_exchange_strong(none, status);
  SetEvent(g_Event);
  return TRUE;
}

void OnEvent(NUVCommand*, int, void*) {
  ResetEvent(g_Event);
  if (g_App) g_App->RequestStop();
}

}  // namespace

void NUVHostSignals::StopOnInterrupt(NUVApplication& app) {
  Restore();
  g_Status = 0;
  g_Event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!g_Event) return;
  g_App = &app;
  app.AddFileDescriptor(Descriptor(g_Event), nullptr, nullptr, &OnEvent);
  SetConsoleCtrlHandler(&OnControl, TRUE);
  g_Installed = true;
}

void NUVHostSignals::Restore() {
  if (!g_Installed) return;
  SetConsoleCtrlHandler(&OnControl, FALSE);
  // The application may be gone already; only the one alive now can hold
  // the registration.
  if (g_App && g_App == NUVApplication::MainApplication()) {
    g_App->RemoveFileDescriptor(Descriptor(g_Event), nullptr);
  }
  g_App = nullptr;
  CloseHandle(g_Event);
  g_Event = nullptr;
  g_Installed = false;
}

int NUVHostSignals::InterruptStatus() { return g_Status.load(); }
