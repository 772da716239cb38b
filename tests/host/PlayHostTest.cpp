// velloran-play run as a user runs it: exit statuses, the summary, the files
// it writes, bad command lines, keys typed on a terminal and signals.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "TestTempDir.h"

namespace {

// Status and output (both streams) of velloran-play; `arguments` is shell
// text, so redirections may follow the options.
std::pair<int, std::string> Play(const std::string& arguments) {
  std::string output, command = std::string(VELLORAN_PLAY_PATH) + " 2>&1 " + arguments;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {-1, ""};
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  const int raw = pclose(pipe);
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, output};
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// The number printed after the last `label` (-1 when none).
double Last(const std::string& text, const std::string& label) {
  const size_t at = text.rfind(label);
  return at == std::string::npos ? -1 : std::atof(text.c_str() + at + label.size());
}

// velloran-play on a pseudo-terminal, as a user runs it. Reads wait for what
// the output shows; their time-outs only guard against a hang.
class Terminal {
 public:
  explicit Terminal(const std::string& arguments) {
    std::vector<std::string> words{VELLORAN_PLAY_PATH};
    std::istringstream in(arguments);
    for (std::string w; in >> w;) words.push_back(w);
    if ((_Pid = forkpty(&_Master, nullptr, nullptr, nullptr)) != 0) return;
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(&w[0]);
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  ~Terminal() { _Pid > 0 && (kill(_Pid, SIGKILL), waitpid(_Pid, nullptr, 0)), close(_Master); }
  // Reads until the progress line shows `steps` steps or more (any number
  // when negative: to the end of the output).
  bool ReadUntilSteps(int steps) {
    const auto guard = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while ((steps < 0 || Last(output, "steps ") < steps) && std::chrono::steady_clock::now() < guard) {
      pollfd p{_Master, POLLIN, 0};
      char buffer[4096];
      const ssize_t n = poll(&p, 1, 100) > 0 ? read(_Master, buffer, sizeof buffer) : 0;
      if (n < 0) return steps < 0;
      output.append(buffer, static_cast<size_t>(n > 0 ? n : 0));
    }
    return Last(output, "steps ") >= steps;
  }
  void Type(char c) { ASSERT_EQ(write(_Master, &c, 1), 1); }
  void Signal(int number) { kill(_Pid, number); }
  // The exit status; -1 (and the process killed) when it hangs.
  int Wait() {
    int raw = 0, exited = 0;
    ReadUntilSteps(-1);
    for (int i = 0; i < 6000 && (exited = waitpid(_Pid, &raw, WNOHANG)) == 0; ++i) usleep(10000);
    if (exited != _Pid) return -1;
    _Pid = -1;
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
  std::string output;

 private:
  int _Master = -1;
  pid_t _Pid = -1;
};

}  // namespace

TEST(PlayHost, PlaysBothControllersByDefault) {
  auto [status, output] = Play("--quiet --refresh-rate 0");
  ASSERT_EQ(status, 0) << output;
  EXPECT_NE(output.find("key-frame controller, synchronous refresh, every 1 step(s)\n"
                        "  steps computed   201\n  steps observed   201\n  frames drawn     201"),
            std::string::npos) << "every key frame drawn under synchronous refresh\n" << output;
  EXPECT_NE(output.find("negotiated-time controller, synchronous refresh, every 1 step(s)\n"
                        "  steps computed   41"), std::string::npos) << "one per way point";
  EXPECT_EQ(Count(output, "simulated time   10.000"), 2);
}

TEST(PlayHost, BadCommandLinesAreRefusedBeforePlayAndLostOutputIsAnError) {
  TestTempDir dir;
  const std::string folder = dir.Path();
  const std::vector<std::pair<std::string, int>> cases = {
      {"--update-rate -1", 2}, {"--update-rate 1.5", 2}, {"--real-time 0", 2}, {"--end nan", 2},
      {"--real-time nan", 2}, {"--speed-factor inf", 2}, {"--end inf", 2}, {"--end 1e308", 2},
      {"--step nan", 2}, {"--timed-refresh nan", 2}, {"--cost-growth nan", 2}, {"--update-rate", 2},
      {"--iterations-per-run 5000", 2}, {"--interval 1e-300", 2}, {"--refresh-rate -1", 2},
      {"--refresh-rate 1e5", 2}, {"--end 1e6 --step 1e-6", 2}, {"--schedule 1,two", 2},
      {"--schedule 1,nan", 2}, {"--schedule @/no/such/file", 2}, {"--schedule @" + folder, 2},
      {"--controller xy", 2}, {"--frobnicate", 2}, {"--interactive yes", 2}, {"--trace " + folder, 2}, {">&-", 2},
      {"--plot " + folder + "/missing/play.svg", 2}, {"--trace /proc/velloran-play.csv", 2},
      // Written after play, and found not to have reached their place.
      {"--trace /dev/full", 1}, {"--plot /dev/full", 1}, {"> /dev/full", 1}};
  for (const auto& [arguments, expected] : cases) {
    auto [status, output] = Play("--controller kf --end 1 --refresh-rate 0 --quiet " + arguments);
    EXPECT_EQ(status, expected) << arguments << ": " << output;
    EXPECT_NE(output.find("velloran-play:"), std::string::npos) << arguments << ": " << output;
    EXPECT_EQ(output.find("written to"), std::string::npos) << arguments << ": " << output;
    EXPECT_TRUE(expected != 2 || output.find("steps computed") == std::string::npos) << arguments;
  }
}

TEST(PlayHost, AMoveBetweenPlaysObservesOnceAndVerbosePrintsEveryNotificationInOrder) {
  struct Case {
    std::string arguments;
    int notifications;  // six phases per play and one cycle per step
    bool observed;
  };
  const std::vector<Case> cases = {{"--controller both --interactive --verbose", 6 + 5 + 6 + 2, true},
                                   {"--controller kf --interactive", 0, true},
                                   {"--controller nt --verbose", 6 + 2, false}};
  for (const Case& c : cases) {
    auto [status, output] = Play("--end 0.2 --refresh-rate 0 --quiet " + c.arguments);
    ASSERT_EQ(status, 0) << c.arguments << ": " << output;
    EXPECT_EQ(Count(output, "  notification NUVSIM_"), c.notifications) << c.arguments << output;
    EXPECT_EQ(Count(output, "committed 1 time(s)"), c.observed ? 2 : 0) << c.arguments << output;
    EXPECT_EQ(Count(output, ": 1 refused, 0 dispatched"), c.observed ? 1 : 0)
        << "what the probe posts while observed interactively is refused\n" << output;
  }
  auto [status, output] = Play("--end 0.2 --refresh-rate 0 --quiet --interactive --verbose");
  size_t at = 0;
  for (const char* next : {"NUVSIM_LOAD", "NUVSIM_PREAPPLYINITIALSTATE", "NUVSIM_POSTAPPLYINITIALSTATE",
                           "NUVSIM_ACTIVATED", "NUVSIM_CYCLE at 0.000", "NUVSIM_CYCLE at 0.200",
                           "NUVSIM_DEACTIVATED", "NUVSIM_CLEAN", "key-frame controller",
                           "interactive observation:", "NUVSIM_LOAD", "negotiated-time controller"}) {
    at = output.find(next, at);
    ASSERT_NE(at, std::string::npos) << next << " missing or out of order\n" << output;
  }
}

TEST(PlayHost, TraceAndPlotDescribeTheSameSteps) {
  TestTempDir dir;
  const std::string trace = dir.File("play.csv"), plot = dir.File("play.svg");
  TestTempDir::WriteFile(dir.File("schedule.txt"), "0.5\n1.5\n");
  auto [status, output] = Play("--controller kf --update-rate 2 --end 2 --step 0.25 --schedule @" +
                               dir.File("schedule.txt") + " --quiet --trace " + trace + " --plot " + plot);
  ASSERT_EQ(status, 0) << output;
  std::string csv = TestTempDir::ReadFile(trace);
  EXPECT_EQ(csv.rfind("controller,real_time_s,sim_value,frame_state,drawn\n", 0), 0u);
  EXPECT_EQ(Count(csv, "\nkf,"), 9) << "one row per key frame 0, 0.25, ..., 2\n" << csv;
  EXPECT_EQ(Count(csv, ",2,1\n"), 4) << "every second step drawn\n" << csv;
  std::string svg = TestTempDir::ReadFile(plot);
  EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u);
  EXPECT_NE(svg.find("</svg>"), std::string::npos);
  EXPECT_EQ(Count(svg, "<circle"), 4 + 1) << "four drawn frames and the legend's dot";
}

TEST(PlayHost, RealTimePlayFallingBehindStopsWithTheErrorDialog) {
  // Each step computes half as long again as the one before, on modelled
  // time: the same on any machine. Eleven growing advances in a row stop it.
  auto [status, output] = Play("--controller nt --real-time 1 --end 5 --cost-growth 50 --modelled-time");
  EXPECT_EQ(status, 1) << output;
  EXPECT_NE(output.find("falling behind"), std::string::npos) << output;
  EXPECT_LT(Last(output, "simulated time"), 1) << "stopped long before the end";
  // By default the clock is the real one: play at 1x cannot reach 0.3 sooner.
  std::tie(status, output) = Play("--controller nt --real-time 1 --end 0.3 --quiet");
  ASSERT_EQ(status, 0) << output;
  EXPECT_GE(Last(output, "real time"), 0.29) << output;
}

TEST(PlayHost, KeyEndsANegotiatedTimeRunEarlyAndQStopsPlayWithinARun) {
  TestTempDir dir;
  // Steps grow to 0.6 s each: a run of 1000 lasts minutes.
  Terminal play("--controller nt --iterations-per-run 1000 --end 1000 --cost-growth 100 --trace " +
                dir.File("keys.csv"));
  ASSERT_TRUE(play.ReadUntilSteps(1)) << play.output;
  play.Type('x');  // ends the first run
  ASSERT_TRUE(play.ReadUntilSteps(static_cast<int>(Last(play.output, "steps ")) + 3)) << play.output;
  play.Type('q');  // ends the second run, and play
  EXPECT_EQ(play.Wait(), 0) << play.output;
  EXPECT_NE(play.output.find("stopped by the user"), std::string::npos) << play.output;
  const double steps = Last(play.output, "steps computed");
  EXPECT_GT(steps, 0);
  EXPECT_LT(steps, 1000) << "neither run went to its end";
  // The first run ends with its frame; whether the second one's is drawn
  // depends on whether 'q' reaches the host before or after that draw.
  const double frames = Last(play.output, "frames drawn");
  EXPECT_TRUE(frames == 1 || frames == 2) << play.output;
  EXPECT_EQ(Count(TestTempDir::ReadFile(dir.File("keys.csv")), "\nnt,"), steps);
}

TEST(PlayHost, SignalsStopPlayKeepTheStepsAndSayHowItEnded) {
  for (auto [number, status] : {std::pair<int, int>{SIGINT, 130}, {SIGTERM, 143}}) {
    TestTempDir dir;
    Terminal play("--controller kf --end 1e5 --trace " + dir.File("play.csv"));
    ASSERT_TRUE(play.ReadUntilSteps(1)) << play.output;
    play.Signal(number);
    EXPECT_EQ(play.Wait(), status) << play.output;
    EXPECT_NE(play.output.find("interrupted"), std::string::npos) << play.output;
    const double steps = Last(play.output, "steps computed");
    EXPECT_GT(steps, 0) << play.output;
    EXPECT_EQ(Count(TestTempDir::ReadFile(dir.File("play.csv")), "\nkf,"), steps);
  }
}

TEST(PlayHost, ClearanceNamesTheOnePairWhosePathsCrossAndWhen) {
  auto [status, output] = Play("--quiet --refresh-rate 0 --clearance");
  ASSERT_EQ(status, 0) << output;
  EXPECT_NE(output.find("  clearance        Mover.1 and Mover.2 closer than their boxes allow from "
                        "t=0.100 to t=0.350\n"), std::string::npos) << output;
  EXPECT_NE(output.find("Mover.1 and Mover.2 closer than their boxes allow from t=0.250 to t=0.250\n"),
            std::string::npos) << "negotiated time meets them at the way point\n" << output;
  EXPECT_EQ(Count(output, "clearance "), 2) << "one pair per play, no other\n" << output;
}

TEST(PlayHost, SoakPlaysEveryModeOnceARoundAndNoModeInheritsTheErrorOfTheOneBefore) {
  // At least one round: nine modes under both controllers, real-time play
  // falling behind under negotiated time, the move after the first play.
  auto [status, output] = Play("--soak 0 --end 1");
  ASSERT_EQ(status, 0) << output;
  EXPECT_NE(output.find("soak: 1 round(s), 19 play(s)"), std::string::npos) << output;
  EXPECT_EQ(Count(output, "interactive observation:"), 1) << output;
  EXPECT_NE(output.find("kB after the first round"), std::string::npos) << output;
  std::tie(status, output) = Play("--soak 1 --trace soak.csv");
  EXPECT_EQ(status, 2) << "a soak keeps no rows for files\n" << output;
}
