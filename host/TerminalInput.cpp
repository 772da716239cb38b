#include "TerminalInput.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>

#include "NUVApplication.h"
#include "NUVOsCalls.h"
#include "NUVOsTestHooks.h"

namespace {

termios g_Saved;
bool g_Changed = false;

void Restore() {
  if (g_Changed) tcsetattr(STDIN_FILENO, TCSANOW, &g_Saved);
  g_Changed = false;
}

void RestoreAndDie(int signal) {
  Restore();
  ::signal(signal, SIG_DFL);
  raise(signal);
}

// The virtual-key code a window system would give the character.
WPARAM VirtualKey(unsigned char c) {
  if (c == 27) return 0x1B;                 // VK_ESCAPE
  if (c == '\n' || c == '\r') return 0x0D;  // VK_RETURN
  if (c == 127 || c == 8) return 0x08;      // VK_BACK
  return static_cast<WPARAM>(std::toupper(c));
}

}  // namespace

TerminalInput::TerminalInput(NUVApplication& app) : _App(app) {
  if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &g_Saved) != 0) return;
  termios keys = g_Saved;
  keys.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);  // key by key, silently
  keys.c_cc[VMIN] = 0;
  keys.c_cc[VTIME] = 0;
  if (tcsetattr(STDIN_FILENO, TCSANOW, &keys) != 0) return;
  g_Changed = true;
  signal(SIGINT, &RestoreAndDie);
  signal(SIGTERM, &RestoreAndDie);
  _Active = _App.AddFileDescriptor(STDIN_FILENO, nullptr, this, &OnReadable) == 0;
}

TerminalInput::~TerminalInput() {
  if (_Active) _App.RemoveFileDescriptor(STDIN_FILENO, nullptr);
  Restore();
}

void TerminalInput::OnReadable(NUVCommand*, int descriptor, void* data) {
  auto* self = static_cast<TerminalInput*>(data);
  unsigned char typed[64];
  ssize_t n = read(descriptor, typed, sizeof typed);
  if (n <= 0) {
    // End of input: nothing more will come from this descriptor.
    self->_App.RemoveFileDescriptor(descriptor, nullptr);
    self->_Active = false;
    return;
  }
  for (ssize_t i = 0; i < n; ++i) {
    WPARAM key = VirtualKey(typed[i]);
    NUVOsPostInputMessage(WM_KEYDOWN, key, 0);
    NUVOsPostInputMessage(WM_CHAR, typed[i], 0);
    NUVOsPostInputMessage(WM_KEYUP, key, 0);
    ++self->_Keys;
    if (typed[i] == 'q' || typed[i] == 27) self->_Quit = true;
  }
}

void TerminalInput::Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}
