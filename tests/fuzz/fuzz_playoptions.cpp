// velloran-play's option parser on a fuzzed command line: one argument per
// input line; after the first NUL byte, the text of a schedule file named
// "@F" on the command line ("@D" names a folder, any other "@..." a missing
// file). A command line it accepts holds only finite numbers in range.
#include <cmath>
#include <cstdint>
#include <vector>

#include "FuzzTempFolder.h"
#include "PlayOptions.h"

static bool In(double v, double least, double most) {
  return std::isfinite(v) && v >= least && v <= most;
}

// The parser explains every refusal on the standard error: close it (and
// the standard output, for --help) unless told otherwise; libFuzzer still
// reports through a copy of its own.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static std::vector<char*> args(*argv, *argv + *argc);
  static char quiet[] = "-close_fd_mask=3";
  args.insert(args.begin() + 1, quiet);
  args.push_back(nullptr);
  *argc += 1;
  *argv = args.data();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const FuzzTempFolder folder;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t end = std::min(input.find('\0'), input.size());
  const std::string schedule = folder.Write("schedule", input.substr(std::min(end + 1, size)));
  std::vector<std::string> args{"velloran-play"};
  for (size_t from = 0; from <= end && args.size() < 64;) {
    const size_t to = std::min(input.find('\n', from), end);
    std::string arg = input.substr(from, to - from);
    if (arg[0] == '@') {
      arg = "@" + (arg == "@F" ? schedule : (folder.path / (arg == "@D" ? "" : "none")).string());
    }
    args.push_back(arg);
    from = to + 1;
  }
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  PlayOptions o;
  const int rc = ParsePlayOptions(static_cast<int>(argv.size()), argv.data(), o);
  FUZZ_CHECK(rc >= 0 && rc <= 2);
  if (rc != 0) return 0;
  FUZZ_CHECK(In(o.end, 1e-300, 1e6) && In(o.step, 1e-6, 1e6) && o.end / o.step <= 1e8);
  FUZZ_CHECK(o.updateRate >= 0 && o.updateRate <= 1000000 && In(o.updateTime, 0, 3600));
  FUZZ_CHECK(In(o.realTimeFactor, 1e-3, 1e3) && In(o.interval, 1e-6, 1e6));
  FUZZ_CHECK(In(o.speedFactor, 1e-3, 1e3));
  FUZZ_CHECK(In(o.costGrowth, 0, 100) && In(o.refreshRate, 0, 1e4) && !o.controllers.empty());
  FUZZ_CHECK(o.iterationsPerRun >= 1 && o.iterationsPerRun <= 1000);
  for (double v : o.schedule) FUZZ_CHECK(In(v, 0, 1e6));
  return 0;
}
