#include "PlayCoReviewOptions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Whole parts of the values a leader sends travel in 16 bits each half:
// beyond this the follower would see another value.
const double kMaxSharedValue = 65535;

int Bad(const std::string& what, const char* value) {
  std::fprintf(stderr, "velloran-play: %s%s%s\ntry 'velloran-play --help'\n", what.c_str(),
               value ? ": " : "", value ? value : "");
  return 2;
}

bool ToNumber(const char* text, double least, double most, double& out) {
  if (!text || !*text) return false;
  char* end = nullptr;
  out = std::strtod(text, &end);
  return end && *end == 0 && std::isfinite(out) && out >= least && out <= most;
}

}  // namespace

const char* CoReviewUsage() {
  return "\n"
         "Co-review (two or more instances watching the same play):\n"
         "  --coreview lead|follow   lead: play and send each step's simulated value to the\n"
         "                           followers; follow: play nothing, show the leader's values as\n"
         "                           they arrive and report how many came and the last one\n"
         "  --session ENDPOINT       where the review meets: tcp://HOST:PORT or ipc://PATH\n"
         "                           (default tcp://127.0.0.1:5570); a leader may give port * to\n"
         "                           take a free port, which it prints\n"
         "  --session-id ID          the review's name, 1 to 64 characters (default velloran-play);\n"
         "                           values of another review on the same endpoint are ignored\n"
         "  --coreview-timeout S     0.1 <= S <= 86400 (default 30): a follower that receives\n"
         "                           nothing for S seconds ends (its leader is gone); a leader\n"
         "                           waits at most S seconds for --coreview-followers\n"
         "  --coreview-followers N   leader: wait for N followers before playing, 0 <= N <= 1000\n"
         "                           (default 0)\n"
         "A follower that starts late joins with the next value. Values travel with their whole\n"
         "seconds in 16 bits, so a leader plays to --end 65535 at most; the follower then\n"
         "reports exactly the values played. A follower ends with status 0 when its leader ends\n"
         "the review or when it times out.\n";
}

int ParseCoReviewOption(const char* arg, const std::function<const char*()>& next,
                        PlayCoReviewOptions& o) {
  if (!std::strcmp(arg, "--coreview")) {
    const char* v = next();
    if (!v || (std::strcmp(v, "lead") && std::strcmp(v, "follow"))) {
      return Bad("--coreview takes lead or follow", v);
    }
    o.role = v;
    return 0;
  }
  if (!std::strcmp(arg, "--session")) {
    const char* v = next();
    const std::string e = v ? v : "";
    const bool ok = (e.rfind("tcp://", 0) == 0 || e.rfind("ipc://", 0) == 0) && e.size() > 6 &&
                    e.size() < 256;
    if (!ok) return Bad("--session takes tcp://HOST:PORT or ipc://PATH", v);
    o.endpoint = e;
    return 0;
  }
  if (!std::strcmp(arg, "--session-id")) {
    const char* v = next();
    if (!v || !*v || std::strlen(v) > 64) return Bad("--session-id takes 1 to 64 characters", v);
    o.sessionId = v;
    return 0;
  }
  if (!std::strcmp(arg, "--coreview-timeout")) {
    const char* v = next();
    if (!ToNumber(v, 0.1, 86400, o.timeout)) {
      return Bad("--coreview-timeout takes a number in [0.1, 86400]", v ? v : "nothing");
    }
    return 0;
  }
  if (!std::strcmp(arg, "--coreview-followers")) {
    const char* v = next();
    double n = 0;
    if (!ToNumber(v, 0, 1000, n) || n != std::floor(n)) {
      return Bad("--coreview-followers takes a whole number in [0, 1000]", v ? v : "nothing");
    }
    o.followers = static_cast<int>(n);
    return 0;
  }
  return -1;
}

int CheckCoReviewOptions(const PlayCoReviewOptions& o, double end) {
  if (o.role == "lead" && end > kMaxSharedValue) {
    return Bad("a co-review leader plays to --end 65535 at most", nullptr);
  }
  if (o.followers > 0 && o.role != "lead") {
    return Bad("--coreview-followers is for --coreview lead", nullptr);
  }
  if (o.role == "follow" && o.endpoint.find('*') != std::string::npos) {
    return Bad("a follower needs the leader's port, not *", o.endpoint.c_str());
  }
  return 0;
}
