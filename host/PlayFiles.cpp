#include "PlayFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

bool OpenOne(const std::string& path, std::ofstream& file) {
  if (path.empty()) return true;
  std::error_code ignored;
  const char* why = nullptr;
  if (std::filesystem::is_directory(path, ignored)) {
    why = "it is a folder";
  } else {
    errno = 0;
    file.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!file.is_open()) why = errno ? std::strerror(errno) : "it cannot be created";
  }
  if (!why) return true;
  std::fprintf(stderr, "velloran-play: cannot write %s: %s\n", path.c_str(), why);
  return false;
}

}  // namespace

bool PlayFiles::Open(const PlayOptions& options) {
  _TracePath = options.tracePath;
  _PlotPath = options.plotPath;
  return OpenOne(_TracePath, _Trace) && OpenOne(_PlotPath, _Plot);
}

bool PlayFiles::Finish(std::ofstream& file, const std::string& path) {
  if (!file.is_open()) return true;
  file.close();  // flushes: a full disk shows here
  if (!file.fail()) {
    std::printf("%s written to %s\n", &file == &_Trace ? "trace" : "plot", path.c_str());
    return true;
  }
  std::fprintf(stderr, "velloran-play: cannot write %s: the data did not all reach it\n",
               path.c_str());
  return false;
}

bool PlayFiles::Write(const std::vector<PlayRun>& runs) {
  if (_Trace.is_open()) WriteTrace(_Trace, runs, _TraceUnit, _TracePerSecond);
  if (_Plot.is_open()) WritePlot(_Plot, runs);
  const bool trace = Finish(_Trace, _TracePath);
  const bool plot = Finish(_Plot, _PlotPath);
  return trace && plot;
}
