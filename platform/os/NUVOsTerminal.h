// NUVOsTerminal: whether the process's standard streams are an interactive
// terminal (a console on Windows), so that a host prompts, colours or reads
// keys only when a user is there.
//
//   if (NUVOsTerminal::IsTerminal(NUVOsTerminal::Output)) PrintProgressBar();
//
// Threading: any thread; nothing is cached, each call asks the system.
#ifndef NUVOsTerminal_h
#define NUVOsTerminal_h

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVOsTerminal {
 public:
  enum Stream { Input = 0, Output = 1, Error = 2 };
  // True when `stream` is a terminal; false for a file, a pipe, a closed
  // stream or an unknown Stream value.
  static bool IsTerminal(Stream stream);
};

#endif
