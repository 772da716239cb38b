// PlayFiles: velloran-play's output files (--trace, --plot). They are opened
// before play starts, so that a folder, a missing folder or a read-only
// place refuses the command line instead of losing a play, and checked after
// they are written, flushed and closed, so that a full disk is an error.
//
//   PlayFiles files;
//   if (!files.Open(options)) return 2;          // message printed
//   ... play ...
//   bool written = files.Write(runs);             // message printed on failure
//
// Threading: main thread.
#ifndef PlayFiles_h
#define PlayFiles_h

#include <fstream>
#include <string>
#include <vector>

#include "PlayOptions.h"
#include "PlayReport.h"

class PlayFiles {
 public:
  // Opens (creates or empties) the files the options name. False, with a
  // message on the standard error, when one cannot be opened for writing.
  bool Open(const PlayOptions& options);
  // True when the files should hold one row per step.
  bool Wanted() const { return _Trace.is_open() || _Plot.is_open(); }
  // Writes and closes the files; false, with a message, when one of them
  // could not be written in full.
  bool Write(const std::vector<PlayRun>& runs);
  // The unit of the trace's real-time column (seconds unless set).
  void SetTraceTimeUnit(const std::string& label, double perSecond) {
    _TraceUnit = label;
    _TracePerSecond = perSecond;
  }

 private:
  bool Finish(std::ofstream& file, const std::string& path);

  std::string _TracePath, _PlotPath;
  std::ofstream _Trace, _Plot;
  std::string _TraceUnit = "s";
  double _TracePerSecond = 1;
};

#endif
