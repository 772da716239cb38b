// Terminals are told apart from files and pipes by isatty.
#include <unistd.h>

#include "NUVOsTerminal.h"

bool NUVOsTerminal::IsTerminal(Stream stream) {
  if (stream != Input && stream != Output && stream != Error) return false;
  return isatty(static_cast<int>(stream)) == 1;
}
