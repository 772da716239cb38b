// The terminal as an input source of the emulated input queue.
//
// Key mode: no echo, no line buffering, and reads that return at once (VMIN
// and VTIME 0), so that a read of an empty terminal answers 0 instead of
// waiting. Input signals the user-interface thread with SIGIO (O_ASYNC);
// the handler only notes that input arrived, and the queue's next look calls
// ReadKeys. The descriptor is also registered with the loop, which wakes an
// idle loop and reads the keys should the signal not come.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>
#if defined(__linux__)
#  include <sys/syscall.h>
#endif

#include <cctype>
#include <cerrno>

#include "NUVApplication.h"
#include "NUVHostInput.h"
#include "NUVOsCalls.h"
#include "NUVOsInputSource.h"
#include "NUVOsTestHooks.h"

namespace {

struct Terminal {
  bool attached = false;
  NUVApplication* app = nullptr;  // the loop the descriptor is registered with, if any
  termios saved;
  int savedFlags = 0;
  int savedOwner = 0;
  struct sigaction savedSigio;
};

Terminal g_Terminal;

void OnSigio(int) { NUVOsNoteInputArrived(); }

// The virtual-key code a window system would give the character.
WPARAM VirtualKey(unsigned char c) {
  if (c == 27) return 0x1B;                 // VK_ESCAPE
  if (c == '\n' || c == '\r') return 0x0D;  // VK_RETURN
  if (c == 127 || c == 8) return 0x08;      // VK_BACK
  return static_cast<WPARAM>(std::toupper(c));
}

// Posts every key waiting on the terminal.
void ReadKeys() {
  unsigned char typed[256];
  for (;;) {
    ssize_t n = read(STDIN_FILENO, typed, sizeof typed);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    for (ssize_t i = 0; i < n; ++i) {
      // A key is its three messages or nothing, as on a full system queue.
      if (NUVOsInputQueueSize() > NUVOS_INPUT_QUEUE_CAPACITY - 3) continue;
      WPARAM key = VirtualKey(typed[i]);
      NUVOsPostInputMessage(WM_KEYDOWN, key, 0);
      NUVOsPostInputMessage(WM_CHAR, typed[i], 0);
      NUVOsPostInputMessage(WM_KEYUP, key, 0);
    }
    if (static_cast<size_t>(n) < sizeof typed) return;
  }
}

void OnReadable(NUVCommand*, int descriptor, void*) {
  NUVOsPumpInputSource();
  // A hung-up terminal stays readable with nothing to read: stop watching
  // it, or every turn would be woken for nothing. (Keys a look took before
  // this handler ran also leave nothing to read; poll tells the two apart.)
  pollfd state = {descriptor, POLLIN, 0};
  if (poll(&state, 1, 0) == 1 && (state.revents & (POLLHUP | POLLERR | POLLNVAL)) && g_Terminal.app) {
    g_Terminal.app->RemoveFileDescriptor(descriptor, nullptr);
    g_Terminal.app = nullptr;
  }
}

void TargetSignalsAtThisThread() {
#if defined(__linux__) && defined(F_SETOWN_EX)
  f_owner_ex owner;
  owner.type = F_OWNER_TID;
  owner.pid = static_cast<pid_t>(syscall(SYS_gettid));
  if (fcntl(STDIN_FILENO, F_SETOWN_EX, &owner) == 0) return;
#endif
  fcntl(STDIN_FILENO, F_SETOWN, getpid());
}

}  // namespace

bool NUVHostInput::AttachTerminal(NUVApplication& app) {
  if (g_Terminal.attached) DetachTerminal();
  Terminal& t = g_Terminal;
  if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &t.saved) != 0) return false;
  int flags = fcntl(STDIN_FILENO, F_GETFL);
  if (flags < 0) return false;
  termios keys = t.saved;
  keys.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  keys.c_cc[VMIN] = 0;
  keys.c_cc[VTIME] = 0;
  if (tcsetattr(STDIN_FILENO, TCSANOW, &keys) != 0) return false;

  t.savedFlags = flags;
  t.savedOwner = fcntl(STDIN_FILENO, F_GETOWN);
  struct sigaction onInput = {};
  onInput.sa_handler = &OnSigio;
  sigemptyset(&onInput.sa_mask);
  onInput.sa_flags = SA_RESTART;
  sigaction(SIGIO, &onInput, &t.savedSigio);
  TargetSignalsAtThisThread();
  fcntl(STDIN_FILENO, F_SETFL, flags | O_ASYNC);

  t.app = app.AddFileDescriptor(STDIN_FILENO, nullptr, nullptr, &OnReadable) == 0 ? &app : nullptr;
  t.attached = true;
  // Keys typed before attaching are read by the first look.
  NUVOsSetInputSource(&ReadKeys);
  return true;
}

void NUVHostInput::DetachTerminal() {
  Terminal& t = g_Terminal;
  if (!t.attached) return;
  NUVOsSetInputSource(nullptr);
  // The loop may be gone already; only the application alive now can hold
  // the registration.
  if (t.app && t.app == NUVApplication::MainApplication()) {
    t.app->RemoveFileDescriptor(STDIN_FILENO, nullptr);
  }
  t.app = nullptr;
  // No more signals before the handler goes.
  fcntl(STDIN_FILENO, F_SETFL, t.savedFlags);
  fcntl(STDIN_FILENO, F_SETOWN, t.savedOwner);
  sigaction(SIGIO, &t.savedSigio, nullptr);
  tcsetattr(STDIN_FILENO, TCSANOW, &t.saved);
  t.attached = false;
}

bool NUVHostInput::TerminalAttached() { return g_Terminal.attached; }
