// Ctrl-C, Ctrl-Break and the console's close through a console control
// handler. The system calls it on a thread of its own: it records the status
// and posts WM_QUIT to the user-interface thread, whose loop stops when it
// sees WM_QUIT (the loop being the one thing that may call RequestStop).
// The system's header first: NUVOsCalls.h then adds nothing of its own.
#include <windows.h>

#include <atomic>

#include "NUVApplication.h"
#include "NUVHostSignals.h"
#include "NUVOsCalls.h"

namespace {

std::atomic<int> g_Status{0};
std::atomic<DWORD> g_UiThread{0};
bool g_Installed = false;

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
  PostThreadMessageW(g_UiThread.load(), WM_QUIT, static_cast<WPARAM>(status), 0);
  return TRUE;
}

}  // namespace

void NUVHostSignals::StopOnInterrupt(NUVApplication&) {
  Restore();
  g_Status = 0;
  g_UiThread = GetCurrentThreadId();
  g_Installed = SetConsoleCtrlHandler(&OnControl, TRUE) != 0;
}

void NUVHostSignals::Restore() {
  if (!g_Installed) return;
  SetConsoleCtrlHandler(&OnControl, FALSE);
  g_Installed = false;
}

int NUVHostSignals::InterruptStatus() { return g_Status.load(); }
