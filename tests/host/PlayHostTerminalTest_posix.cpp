// velloran-play on a pseudo-terminal, as a user runs it: keys typed and
// signals. Windows has neither: its console keys reach the host through the
// console's input records, which a test cannot type into without a console.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "TestTempDir.h"

namespace {

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
