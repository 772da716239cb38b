#include "PlayOptions.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

const char kUsage[] =
    "usage: velloran-play [options]\n"
    "Plays a small scene (objects moving along paths) through the Velloran redraw agent,\n"
    "on an event loop with two headless 3D windows, and reports how the redraws were paced.\n"
    "\n"
    "  --controller kf|nt|both  key-frame, negotiated-time, or both in turn (default both)\n"
    "  --end T                  simulated end time (default 10)\n"
    "  --step S                 key-frame step, and negotiated time's default step (default 0.05)\n"
    "  --sync-refresh on|off    synchronous refresh: draw every n-th step (default on)\n"
    "  --update-rate N          n for synchronous refresh, N >= 0 (default 1)\n"
    "  --timed-refresh T        synchronous refresh off: draw when T seconds passed (default 0.1)\n"
    "  --update-time T          the timed refresh's T without switching modes\n"
    "  --real-time F            real-time play at F times real time, F > 0: under negotiated\n"
    "                           time the redraw agent leads (implies --master-clock)\n"
    "  --master-clock           the redraw agent leads negotiated time on its redraw grid\n"
    "  --interval T             redraw grid step in simulated time (default 0.1)\n"
    "  --speed-factor F         multiplies the redraw grid step, F > 0 (default 1)\n"
    "  --schedule LIST|@FILE    redraw at these simulated values: comma-separated, or a file\n"
    "                           with one value per line\n"
    "  --graphics on|off        graphics updates while playing (default on)\n"
    "  --no-agent-graphics      the redraw agent drives no viewers (nothing is drawn)\n"
    "  --trace FILE.csv         one row per step: real time, simulated value, frame state, drawn\n"
    "  --plot FILE.svg          timeline picture: simulated time against real time, frames marked\n"
    "  --cost-growth P          each step computes P percent longer than the one before,\n"
    "                           from 10 us: a scene that gets heavier (real-time play falls\n"
    "                           behind)\n"
    "  --iterations-per-run N   negotiated time: steps computed before each redraw decision\n"
    "                           reaches the screen (default 1, at most 1000 per turn); a key\n"
    "                           pressed on the terminal ends such a run early\n"
    "  --quiet                  no progress line\n"
    "  --help                   this text\n"
    "\n"
    "While it plays on a terminal, a key ends the current run of iterations early and q stops\n"
    "play.\n"
    "\n"
    "Exit status: 0 when play ended normally, 1 when it ended on a simulation error (the\n"
    "error dialog is printed) or could not start, 2 for a bad command line.\n";

int Bad(const char* what, const char* value) {
  std::fprintf(stderr, "velloran-play: %s%s%s\n%s", what, value ? ": " : "", value ? value : "",
               "try 'velloran-play --help'\n");
  return 2;
}

bool ToDouble(const char* text, double& out) {
  if (!text || !*text) return false;
  char* end = nullptr;
  errno = 0;
  out = std::strtod(text, &end);
  return errno == 0 && end && *end == 0;
}

bool ToInt(const char* text, int& out) {
  double d;
  if (!ToDouble(text, d) || d != static_cast<int>(d)) return false;
  out = static_cast<int>(d);
  return true;
}

bool ToSwitch(const char* text, bool& out) {
  if (!text) return false;
  if (!std::strcmp(text, "on")) return out = true, true;
  if (!std::strcmp(text, "off")) return out = false, true;
  return false;
}

bool ParseValues(std::istream& in, char separator, std::vector<double>& out) {
  std::string item;
  while (std::getline(in, item, separator)) {
    size_t first = item.find_first_not_of(" \t\r");
    if (first == std::string::npos) continue;
    size_t last = item.find_last_not_of(" \t\r");
    double v;
    if (!ToDouble(item.substr(first, last - first + 1).c_str(), v)) return false;
    out.push_back(v);
  }
  return true;
}

}  // namespace

int ParsePlayOptions(int argc, char** argv, PlayOptions& o) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    if (!std::strcmp(arg, "--help") || !std::strcmp(arg, "-h")) {
      std::fputs(kUsage, stdout);
      return 1;
    } else if (!std::strcmp(arg, "--controller")) {
      const char* v = value();
      if (!v) return Bad("--controller needs kf, nt or both", nullptr);
      if (!std::strcmp(v, "both")) {
        o.controllers = {"kf", "nt"};
      } else if (!std::strcmp(v, "kf") || !std::strcmp(v, "nt")) {
        o.controllers = {v};
      } else {
        return Bad("--controller takes kf, nt or both, not", v);
      }
    } else if (!std::strcmp(arg, "--end")) {
      if (!ToDouble(value(), o.end) || o.end <= 0) return Bad("--end needs a positive time", nullptr);
    } else if (!std::strcmp(arg, "--step")) {
      if (!ToDouble(value(), o.step) || o.step <= 0) return Bad("--step needs a positive step", nullptr);
    } else if (!std::strcmp(arg, "--sync-refresh")) {
      if (!ToSwitch(value(), o.syncRefresh)) return Bad("--sync-refresh takes on or off", nullptr);
    } else if (!std::strcmp(arg, "--update-rate")) {
      const char* v = value();
      if (!ToInt(v, o.updateRate)) return Bad("--update-rate needs a whole number of steps", v);
      if (o.updateRate < 0) return Bad("--update-rate cannot be negative", v);
    } else if (!std::strcmp(arg, "--timed-refresh") || !std::strcmp(arg, "--update-time")) {
      const char* v = value();
      if (!ToDouble(v, o.updateTime) || o.updateTime < 0) {
        return Bad("the update time needs a non-negative number of seconds", v);
      }
      if (!std::strcmp(arg, "--timed-refresh")) o.syncRefresh = false;
    } else if (!std::strcmp(arg, "--real-time")) {
      const char* v = value();
      if (!ToDouble(v, o.realTimeFactor)) return Bad("--real-time needs a factor", v);
      if (o.realTimeFactor <= 0) return Bad("the real-time factor must be positive", v);
      o.realTime = true;
      // The agent's real-time proposals reach the controller only when it
      // leads the clock.
      o.masterClock = true;
    } else if (!std::strcmp(arg, "--master-clock")) {
      o.masterClock = true;
    } else if (!std::strcmp(arg, "--interval")) {
      const char* v = value();
      if (!ToDouble(v, o.interval) || o.interval <= 0) return Bad("--interval needs a positive step", v);
    } else if (!std::strcmp(arg, "--speed-factor")) {
      const char* v = value();
      if (!ToDouble(v, o.speedFactor)) return Bad("--speed-factor needs a factor", v);
      if (o.speedFactor <= 0) return Bad("the speed factor must be positive", v);
    } else if (!std::strcmp(arg, "--schedule")) {
      const char* v = value();
      if (!v) return Bad("--schedule needs values or @FILE", nullptr);
      if (v[0] == '@') {
        std::ifstream file(v + 1);
        if (!file) return Bad("cannot read the schedule file", v + 1);
        if (!ParseValues(file, '\n', o.schedule)) return Bad("unreadable schedule file", v + 1);
      } else {
        std::istringstream list(v);
        if (!ParseValues(list, ',', o.schedule)) return Bad("unreadable schedule", v);
      }
    } else if (!std::strcmp(arg, "--graphics")) {
      if (!ToSwitch(value(), o.graphicsUpdates)) return Bad("--graphics takes on or off", nullptr);
    } else if (!std::strcmp(arg, "--no-agent-graphics")) {
      o.agentGraphics = false;
    } else if (!std::strcmp(arg, "--trace")) {
      const char* v = value();
      if (!v) return Bad("--trace needs a file name", nullptr);
      o.tracePath = v;
    } else if (!std::strcmp(arg, "--plot")) {
      const char* v = value();
      if (!v) return Bad("--plot needs a file name", nullptr);
      o.plotPath = v;
    } else if (!std::strcmp(arg, "--cost-growth")) {
      const char* v = value();
      if (!ToDouble(v, o.costGrowth) || o.costGrowth < 0) {
        return Bad("--cost-growth needs a non-negative percentage", v);
      }
    } else if (!std::strcmp(arg, "--iterations-per-run")) {
      const char* v = value();
      if (!ToInt(v, o.iterationsPerRun) || o.iterationsPerRun < 1) {
        return Bad("--iterations-per-run needs a positive whole number", v);
      }
    } else if (!std::strcmp(arg, "--quiet")) {
      o.quiet = true;
    } else {
      return Bad("unknown option", arg);
    }
  }
  return 0;
}
