// A console handle accepts GetConsoleMode; a file, a pipe or NUL does not.
// The system's header first: NUVOsCalls.h then adds nothing of its own.
#include <windows.h>

#include "NUVOsCalls.h"
#include "NUVOsTerminal.h"

bool NUVOsTerminal::IsTerminal(Stream stream) {
  DWORD which;
  switch (stream) {
    case Input: which = STD_INPUT_HANDLE; break;
    case Output: which = STD_OUTPUT_HANDLE; break;
    case Error: which = STD_ERROR_HANDLE; break;
    default: return false;
  }
  HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  DWORD mode;
  return GetConsoleMode(handle, &mode) != 0;
}
