// velloran-play run as a user runs it: exit statuses, the summary, the files
// it writes, bad command lines, keys typed on a terminal and signals.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "TestTempDir.h"

namespace {

struct PlayResult {
  int status;
  std::string output;
};

// `arguments` is shell text: redirections may follow the options.
PlayResult Play(const std::string& arguments) {
  std::string command = std::string(VELLORAN_PLAY_PATH) + " 2>&1 " + arguments;
  PlayResult run{-1, ""};
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
  int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// The last number printed after `label` (-1 when none).
int Last(const std::string& text, const std::string& label) {
  size_t at = text.rfind(label);
  return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + label.size());
}

// velloran-play on a pseudo-terminal: its standard input and output are a
// terminal, as when a user runs it.
class Terminal {
 public:
  explicit Terminal(const std::string& arguments) {
    std::vector<std::string> words{VELLORAN_PLAY_PATH};
    std::istringstream in(arguments);
    for (std::string w; in >> w;) words.push_back(w);
    _Pid = forkpty(&_Master, nullptr, nullptr, nullptr);
    if (_Pid == 0) {
      std::vector<char*> argv;
      for (std::string& w : words) argv.push_back(&w[0]);
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
  }
  ~Terminal() {
    if (_Pid > 0) kill(_Pid, SIGKILL), waitpid(_Pid, nullptr, 0);
    if (_Master >= 0) close(_Master);
  }
  // Reads until `done(output)` or the end; the time-out only guards against
  // a hang (generous: the machine may be busy).
  bool ReadUntil(const std::function<bool(const std::string&)>& done, int seconds = 120) {
    for (int waited = 0; !done(output) && waited < seconds * 10;) {
      pollfd p{_Master, POLLIN, 0};
      if (poll(&p, 1, 100) == 0) { ++waited; continue; }
      char buffer[4096];
      ssize_t n = read(_Master, buffer, sizeof buffer);
      if (n <= 0) return done(output);
      output.append(buffer, static_cast<size_t>(n));
    }
    return done(output);
  }
  void Type(char c) { ASSERT_EQ(write(_Master, &c, 1), 1); }
  void Signal(int number) { kill(_Pid, number); }
  // The exit status; -1 (and the process killed) when it hangs.
  int Wait() {
    ReadUntil([](const std::string&) { return false; }, 60);  // to the end of output
    int raw = 0, exited = 0;
    for (int i = 0; i < 6000 && (exited = waitpid(_Pid, &raw, WNOHANG)) == 0; ++i) usleep(10000);
    if (exited == 0) kill(_Pid, SIGKILL), waitpid(_Pid, &raw, 0);
    else _Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return _Pid = -1, _Status;
  }
  std::string output;

 private:
  int _Master = -1;
  pid_t _Pid = -1;
  int _Status = -1;
};

// True once the progress line shows at least `steps` steps.
std::function<bool(const std::string&)> StepsShown(int steps) {
  return [steps](const std::string& out) { return Last(out, "steps ") >= steps; };
}

}  // namespace

TEST(PlayHost, PlaysBothControllersByDefault) {
  PlayResult run = Play("--quiet --refresh-rate 0");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("key-frame controller"), std::string::npos);
  EXPECT_NE(run.output.find("negotiated-time controller"), std::string::npos);
  EXPECT_NE(run.output.find("steps computed   201"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("frames drawn     201"), std::string::npos)
      << "every key frame drawn under synchronous refresh at rate 1\n" << run.output;
  EXPECT_NE(run.output.find("steps computed   41"), std::string::npos) << "one per way point";
  EXPECT_NE(run.output.find("simulated time   10.000"), std::string::npos);
}

TEST(PlayHost, BadCommandLinesAreRefusedBeforePlayWithStatusTwo) {
  TestTempDir dir;
  const std::string folder = dir.Path();
  for (const std::string& bad : std::vector<std::string>{
           "--update-rate -1", "--update-rate 1.5", "--real-time 0", "--real-time nan",
        "--speed-factor inf", "--end nan", "--end inf", "--end 1e308", "--step nan",
        "--timed-refresh nan", "--cost-growth nan", "--iterations-per-run 5000",
        "--interval 1e-300", "--refresh-rate -1", "--refresh-rate 1e5", "--end 1e6 --step 1e-6",
        "--schedule 1,two", "--schedule 1,nan", "--schedule @/no/such/file",
        "--schedule @" + folder, "--controller xy", "--frobnicate", "--update-rate",
        "--trace " + folder, "--plot " + folder + "/missing/play.svg",
        "--trace /proc/velloran-play.csv", "--quiet >&-"}) {
    PlayResult run = Play(bad);
    EXPECT_EQ(run.status, 2) << bad;
    EXPECT_NE(run.output.find("velloran-play:"), std::string::npos) << bad << ": " << run.output;
    EXPECT_EQ(run.output.find("steps computed"), std::string::npos) << bad << ": played";
  }
  PlayResult help = Play("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("--real-time"), std::string::npos);
}

TEST(PlayHost, OutputThatDoesNotReachItsPlaceIsAnError) {
  for (const char* full : {"--trace /dev/full", "--plot /dev/full", "> /dev/full"}) {
    PlayResult run = Play(std::string("--controller kf --end 1 --refresh-rate 0 --quiet ") + full);
    EXPECT_EQ(run.status, 1) << full << ": " << run.output;
    EXPECT_EQ(run.output.find("written to /dev/full"), std::string::npos) << run.output;
  }
}

TEST(PlayHost, TraceAndPlotDescribeTheSameSteps) {
  TestTempDir dir;
  const std::string trace = dir.File("play.csv"), plot = dir.File("play.svg");
  TestTempDir::WriteFile(dir.File("schedule.txt"), "0.5\n1.5\n");
  PlayResult run = Play("--controller kf --update-rate 2 --end 2 --step 0.25 --schedule @" +
                        dir.File("schedule.txt") + " --quiet --trace " + trace + " --plot " + plot);
  ASSERT_EQ(run.status, 0) << run.output;
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
  PlayResult run = Play("--controller nt --real-time 1 --end 5 --cost-growth 50 --modelled-time");
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_NE(run.output.find("falling behind"), std::string::npos) << run.output;
  EXPECT_LT(Last(run.output, "simulated time"), 1) << "stopped long before the end";
  // By default real time is used: play at 1x cannot reach 0.3 in less.
  run = Play("--controller nt --real-time 1 --end 0.3 --quiet");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_GE(std::atof(run.output.c_str() + run.output.rfind("real time") + 9), 0.29) << run.output;
}

TEST(PlayHost, KeyEndsANegotiatedTimeRunEarlyAndQStopsPlayWithinARun) {
  TestTempDir dir;
  // Steps grow to 0.6 s each: a run of 1000 lasts minutes.
  Terminal play("--controller nt --iterations-per-run 1000 --end 1000 --cost-growth 100 --trace " +
                dir.File("keys.csv"));
  ASSERT_TRUE(play.ReadUntil(StepsShown(1))) << play.output;
  play.Type('x');  // ends the first run
  ASSERT_TRUE(play.ReadUntil(StepsShown(Last(play.output, "steps ") + 3))) << play.output;
  play.Type('q');  // ends the second run, and play
  EXPECT_EQ(play.Wait(), 0) << play.output;
  EXPECT_NE(play.output.find("stopped by the user"), std::string::npos) << play.output;
  const int steps = Last(play.output, "steps computed");
  EXPECT_GT(steps, 0);
  EXPECT_LT(steps, 1000) << "neither run went to its end";
  EXPECT_EQ(Last(play.output, "frames drawn"), 2) << "each run ended with its frame";
  EXPECT_EQ(Count(TestTempDir::ReadFile(dir.File("keys.csv")), "\nnt,"), steps);
}

TEST(PlayHost, SignalsStopPlayKeepTheStepsAndSayHowItEnded) {
  for (auto [number, status] : {std::pair<int, int>{SIGINT, 130}, {SIGTERM, 143}}) {
    TestTempDir dir;
    Terminal play("--controller kf --end 1e5 --trace " + dir.File("play.csv"));
    ASSERT_TRUE(play.ReadUntil(StepsShown(1))) << play.output;
    play.Signal(number);
    EXPECT_EQ(play.Wait(), status) << play.output;
    EXPECT_NE(play.output.find("interrupted"), std::string::npos) << play.output;
    const int steps = Last(play.output, "steps computed");
    EXPECT_GT(steps, 0) << play.output;
    EXPECT_EQ(Count(TestTempDir::ReadFile(dir.File("play.csv")), "\nkf,"), steps);
  }
}
