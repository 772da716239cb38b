#include "PlayOptions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const char kUsage[] =
    "usage: velloran-play [options]\n"
    "Plays a small scene (objects moving along paths) through the Velloran redraw agent,\n"
    "on an event loop with two headless 3D windows, and reports how the redraws were paced.\n"
    "\n"
    "  --controller kf|nt|both  key-frame, negotiated-time, or both in turn (default both)\n"
    "  --end T                  simulated end time, 0 < T <= 1e6 (default 10)\n"
    "  --step S                 key-frame step, and negotiated time's default step,\n"
    "                           1e-6 <= S <= 1e6, at most 1e8 steps to the end (default 0.05)\n"
    "  --sync-refresh on|off    synchronous refresh: draw every n-th step (default on)\n"
    "  --update-rate N          n for synchronous refresh, 0 <= N <= 1e6 (default 1)\n"
    "  --timed-refresh T        synchronous refresh off: draw when T seconds passed,\n"
    "                           0 <= T <= 3600 (default 0.1)\n"
    "  --update-time T          the timed refresh's T without switching modes\n"
    "  --real-time F            real-time play at F times real time, 1e-3 <= F <= 1e3: under\n"
    "                           negotiated time the redraw agent leads (implies --master-clock)\n"
    "  --master-clock           the redraw agent leads negotiated time on its redraw grid\n"
    "  --interval T             redraw grid step in simulated time, 1e-6 <= T <= 1e6\n"
    "                           (default 0.1)\n"
    "  --speed-factor F         multiplies the redraw grid step, 1e-3 <= F <= 1e3 (default 1)\n"
    "  --schedule LIST|@FILE    redraw at these simulated values (each 0 <= v <= 1e6):\n"
    "                           comma-separated, or a file with one value per line\n"
    "  --graphics on|off        graphics updates while playing (default on)\n"
    "  --no-agent-graphics      the redraw agent drives no viewers (nothing is drawn)\n"
    "  --refresh-rate HZ        refresh rate of the headless displays, 0 <= HZ <= 10000;\n"
    "                           0: a swap completes as soon as the loop turns (default 60)\n"
    "  --trace FILE.csv         one row per step: real time, simulated value, frame state, drawn\n"
    "  --plot FILE.svg          timeline picture: simulated time against real time, frames marked\n"
    "  --cost-growth P          each step computes P percent longer than the one before,\n"
    "                           from 10 us, 0 <= P <= 100: a scene that gets heavier (real-time\n"
    "                           play falls behind)\n"
    "  --iterations-per-run N   negotiated time: steps computed before each redraw decision\n"
    "                           reaches the screen, 1 <= N <= 1000 (default 1); a key pressed\n"
    "                           on the terminal ends such a run early\n"
    "  --modelled-time          the clock reads the scene's cost model instead of real time:\n"
    "                           each loop turn costs 0.1 ms, each step what --cost-growth says,\n"
    "                           and displays refresh as soon as the loop turns; play is then\n"
    "                           the same on any machine\n"
    "  --interactive            after the first play, move one object as a user dragging it\n"
    "                           would; the next viewer update runs one interactive observation\n"
    "                           and its agents are printed\n"
    "  --units                  times in the summary and the trace's real-time column in the\n"
    "                           user's time unit, through the library's unit services\n"
    "  --time-unit ms|s|min     the user's time unit to select (implies --units)\n"
    "  --clearance              after each play, name the moving objects whose boxes met, and when\n"
    "  --verbose                print the notifications the coordinator dispatches (play phases\n"
    "                           and one per step)\n"
    "  --quiet                  no progress line\n"
    "  --soak S                 soak run: play every mode in turn, round after round, for S\n"
    "                           seconds (one round at least), 0 <= S <= 1e6, on modelled time;\n"
    "                           fails when the resident memory grows after the first round\n"
    "  --help                   this text\n"
    "\n"
    "While it plays on a terminal, a key ends the current run of iterations early and q stops\n"
    "play. Ctrl-C (or a termination request) stops play too: the summary is printed and the\n"
    "files are written with the steps played so far.\n"
    "\n"
    "Exit status: 0 when play ended normally or was stopped with q, 1 when it ended on a\n"
    "simulation error (the error dialog is printed), could not start, or an output could not\n"
    "be written, 2 for a bad command line, 130 after Ctrl-C, 143 after a termination request.\n";

int Bad(const std::string& what, const char* value) {
  std::fprintf(stderr, "velloran-play: %s%s%s\ntry 'velloran-play --help'\n", what.c_str(),
               value ? ": " : "", value ? value : "");
  return 2;
}

bool ToDouble(const char* text, double& out) {
  if (!text || !*text) return false;
  char* end = nullptr;
  out = std::strtod(text, &end);
  return end && *end == 0 && std::isfinite(out);
}

bool ToSwitch(const char* text, bool& out) {
  if (!text) return false;
  if (!std::strcmp(text, "on")) return out = true, true;
  if (!std::strcmp(text, "off")) return out = false, true;
  return false;
}

// The options that take one number, with their ranges.
struct NumberOption {
  const char* name;
  double PlayOptions::*real;  // or
  int PlayOptions::*whole;
  double least, most;
  bool leastExcluded;
  void (*then)(PlayOptions&);
};

const NumberOption kNumbers[] = {
    {"--end", &PlayOptions::end, nullptr, 0, 1e6, true, nullptr},
    {"--step", &PlayOptions::step, nullptr, 1e-6, 1e6, false, nullptr},
    {"--update-rate", nullptr, &PlayOptions::updateRate, 0, 1e6, false, nullptr},
    {"--timed-refresh", &PlayOptions::updateTime, nullptr, 0, 3600, false,
     [](PlayOptions& o) { o.syncRefresh = false; }},
    {"--update-time", &PlayOptions::updateTime, nullptr, 0, 3600, false, nullptr},
    // The agent's real-time proposals reach the controller only when it leads
    // the clock.
    {"--real-time", &PlayOptions::realTimeFactor, nullptr, 1e-3, 1e3, false,
     [](PlayOptions& o) { o.realTime = o.masterClock = true; }},
    {"--interval", &PlayOptions::interval, nullptr, 1e-6, 1e6, false, nullptr},
    {"--speed-factor", &PlayOptions::speedFactor, nullptr, 1e-3, 1e3, false, nullptr},
    {"--cost-growth", &PlayOptions::costGrowth, nullptr, 0, 100, false, nullptr},
    {"--iterations-per-run", nullptr, &PlayOptions::iterationsPerRun, 1, 1000, false, nullptr},
    {"--refresh-rate", &PlayOptions::refreshRate, nullptr, 0, 10000, false, nullptr},
    {"--soak", &PlayOptions::soakSeconds, nullptr, 0, 1e6, false,
     [](PlayOptions& o) { o.modelledTime = true; }},
};

int ParseNumber(const NumberOption& option, const char* text, PlayOptions& o) {
  double v = 0;
  const bool whole = option.whole != nullptr;
  if (!ToDouble(text, v) || (option.leastExcluded ? v <= option.least : v < option.least) ||
      v > option.most || (whole && v != std::floor(v))) {
    char range[120];
    std::snprintf(range, sizeof range, "%s takes a %s in %s%g, %g]", option.name,
                  whole ? "whole number" : "number", option.leastExcluded ? "(" : "[",
                  option.least, option.most);
    return Bad(range, text ? text : "nothing");
  }
  if (whole) o.*option.whole = static_cast<int>(v);
  else o.*option.real = v;
  if (option.then) option.then(o);
  return 0;
}

bool ParseValues(std::istream& in, char separator, std::vector<double>& out) {
  std::string item;
  while (std::getline(in, item, separator)) {
    size_t first = item.find_first_not_of(" \t\r");
    if (first == std::string::npos) continue;
    size_t last = item.find_last_not_of(" \t\r");
    double v;
    if (!ToDouble(item.substr(first, last - first + 1).c_str(), v) || v < 0 || v > 1e6) {
      return false;
    }
    out.push_back(v);
  }
  return !in.bad();
}

int ParseSchedule(const char* v, PlayOptions& o) {
  if (!v) return Bad("--schedule needs values or @FILE", nullptr);
  if (v[0] != '@') {
    std::istringstream list(v);
    return ParseValues(list, ',', o.schedule) ? 0 : Bad("unreadable schedule", v);
  }
  std::error_code ignored;
  if (std::filesystem::is_directory(v + 1, ignored)) {
    return Bad("the schedule file is a folder", v + 1);
  }
  std::ifstream file(v + 1);
  if (!file) return Bad("cannot read the schedule file", v + 1);
  return ParseValues(file, '\n', o.schedule) ? 0 : Bad("unreadable schedule file", v + 1);
}

int ParseController(const char* v, PlayOptions& o) {
  if (!v) return Bad("--controller needs kf, nt or both", nullptr);
  if (!std::strcmp(v, "both")) {
    o.controllers = {"kf", "nt"};
  } else if (!std::strcmp(v, "kf") || !std::strcmp(v, "nt")) {
    o.controllers = {v};
  } else {
    return Bad("--controller takes kf, nt or both, not", v);
  }
  return 0;
}

int ParsePath(const char* name, const char* v, std::string& path) {
  if (!v || !*v) return Bad(std::string(name) + " needs a file name", nullptr);
  path = v;
  return 0;
}

int ParseTimeUnit(const char* v, PlayOptions& o) {
  if (!v) return Bad("--time-unit needs ms, s or min", nullptr);
  if (std::strcmp(v, "ms") && std::strcmp(v, "s") && std::strcmp(v, "min")) {
    return Bad("--time-unit takes ms, s or min, not", v);
  }
  o.timeUnit = v;
  o.units = true;
  return 0;
}

// What one option says; `next` gives the option's value.
template <class Next>
int ParseOne(const char* arg, Next next, PlayOptions& o) {
  for (const NumberOption& option : kNumbers) {
    if (!std::strcmp(arg, option.name)) return ParseNumber(option, next(), o);
  }
  if (!std::strcmp(arg, "--controller")) return ParseController(next(), o);
  if (!std::strcmp(arg, "--schedule")) return ParseSchedule(next(), o);
  if (!std::strcmp(arg, "--trace")) return ParsePath(arg, next(), o.tracePath);
  if (!std::strcmp(arg, "--plot")) return ParsePath(arg, next(), o.plotPath);
  if (!std::strcmp(arg, "--sync-refresh")) {
    return ToSwitch(next(), o.syncRefresh) ? 0 : Bad("--sync-refresh takes on or off", nullptr);
  }
  if (!std::strcmp(arg, "--graphics")) {
    return ToSwitch(next(), o.graphicsUpdates) ? 0 : Bad("--graphics takes on or off", nullptr);
  }
  if (!std::strcmp(arg, "--master-clock")) return o.masterClock = true, 0;
  if (!std::strcmp(arg, "--no-agent-graphics")) return o.agentGraphics = false, 0;
  if (!std::strcmp(arg, "--modelled-time")) return o.modelledTime = true, 0;
  if (!std::strcmp(arg, "--quiet")) return o.quiet = true, 0;
  if (!std::strcmp(arg, "--verbose")) return o.verbose = true, 0;
  if (!std::strcmp(arg, "--interactive")) return o.interactive = true, 0;
  if (!std::strcmp(arg, "--units")) return o.units = true, 0;
  if (!std::strcmp(arg, "--time-unit")) return ParseTimeUnit(next(), o);
  if (!std::strcmp(arg, "--clearance")) return o.clearance = true, 0;
  const int coreview = ParseCoReviewOption(arg, next, o.coreview);
  if (coreview >= 0) return coreview;
  return Bad("unknown option", arg);
}

}  // namespace

int ParsePlayOptions(int argc, char** argv, PlayOptions& o) {
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
      std::fputs(kUsage, stdout);
      std::fputs(CoReviewUsage(), stdout);
      return 1;
    }
    auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    if (ParseOne(argv[i], next, o) != 0) return 2;
  }
  // Checks that need the whole command line.
  if (o.end / o.step > 1e8) return Bad("more than 1e8 steps: raise --step or lower --end", nullptr);
  if (o.soakSeconds >= 0 && (!o.tracePath.empty() || !o.plotPath.empty())) {
    return Bad("--soak writes no --trace or --plot", nullptr);
  }
  if (CheckCoReviewOptions(o.coreview, o.end) != 0) return 2;
  return 0;
}
