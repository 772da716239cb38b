// The console's keys as input of the user-interface thread's real message
// queue. The console is put in key mode (no line input, no echo); a reader
// thread waits on the console input handle and posts each key event to the
// user-interface thread as WM_KEYDOWN, WM_CHAR, WM_KEYUP, so that
// PeekMessageW sees a key while a handler runs. The posted messages also
// wake a loop that waits with MsgWaitForMultipleObjects.
// The system's header first: NUVOsCalls.h then adds nothing of its own.
#include <windows.h>

#include <atomic>
#include <thread>

#include "NUVApplication.h"
#include "NUVHostInput.h"
#include "NUVOsCalls.h"

namespace {

struct Console {
  bool attached = false;
  HANDLE input = nullptr;
  DWORD savedMode = 0;
  DWORD uiThread = 0;
  HANDLE stopEvent = nullptr;
  std::thread reader;
};

Console g_Console;

void PostKey(const KEY_EVENT_RECORD& key, DWORD uiThread) {
  WPARAM code = key.wVirtualKeyCode;
  if (key.bKeyDown) {
    for (WORD i = 0; i < (key.wRepeatCount ? key.wRepeatCount : 1); ++i) {
      PostThreadMessageW(uiThread, WM_KEYDOWN, code, 0);
      if (key.uChar.UnicodeChar) PostThreadMessageW(uiThread, WM_CHAR, key.uChar.UnicodeChar, 0);
    }
  } else {
    PostThreadMessageW(uiThread, WM_KEYUP, code, 0);
  }
}

void ReadConsoleKeys(HANDLE input, HANDLE stopEvent, DWORD uiThread) {
  HANDLE waited[2] = {stopEvent, input};
  for (;;) {
    DWORD which = WaitForMultipleObjects(2, waited, FALSE, INFINITE);
    if (which != WAIT_OBJECT_0 + 1) return;  // stop asked, or the wait failed
    INPUT_RECORD records[64];
    DWORD count = 0;
    if (!ReadConsoleInputW(input, records, 64, &count)) return;
    for (DWORD i = 0; i < count; ++i) {
      if (records[i].EventType == KEY_EVENT) PostKey(records[i].Event.KeyEvent, uiThread);
    }
  }
}

}  // namespace

bool NUVHostInput::AttachTerminal(NUVApplication&) {
  if (g_Console.attached) DetachTerminal();
  Console& c = g_Console;
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode;
  if (input == nullptr || input == INVALID_HANDLE_VALUE || !GetConsoleMode(input, &mode)) return false;
  DWORD keys = mode & ~static_cast<DWORD>(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT);
  if (!SetConsoleMode(input, keys)) return false;
  HANDLE stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!stopEvent) {
    SetConsoleMode(input, mode);
    return false;
  }
  c.input = input;
  c.savedMode = mode;
  c.uiThread = GetCurrentThreadId();
  c.stopEvent = stopEvent;
  c.reader = std::thread(&ReadConsoleKeys, input, stopEvent, c.uiThread);
  c.attached = true;
  return true;
}

void NUVHostInput::DetachTerminal() {
  Console& c = g_Console;
  if (!c.attached) return;
  SetEvent(c.stopEvent);
  if (c.reader.joinable()) c.reader.join();
  CloseHandle(c.stopEvent);
  c.stopEvent = nullptr;
  SetConsoleMode(c.input, c.savedMode);
  c.attached = false;
}

bool NUVHostInput::TerminalAttached() { return g_Console.attached; }
