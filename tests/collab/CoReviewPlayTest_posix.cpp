// Two velloran-play processes in a review on loopback: the leader takes a
// free port, waits for its follower, plays; the follower shows every value
// in order and reports their count and the last one.
// POSIX only: a Windows build has no transport for reviews yet.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>

namespace {

FILE* Start(const std::string& arguments) {
  return popen((std::string(VELLORAN_PLAY_PATH) + " 2>&1 " + arguments).c_str(), "r");
}

// The rest of the output and the exit status.
int Finish(FILE* pipe, std::string& output) {
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  const int raw = pclose(pipe);
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

}  // namespace

TEST(CoReviewPlay, AFollowerReceivesEveryValueItsLeaderPlays) {
  FILE* leader = Start(
      "--coreview lead --session 'tcp://127.0.0.1:*' --session-id e2e --coreview-followers 1 "
      "--coreview-timeout 120 --controller kf --end 1 --step 0.25 --modelled-time --quiet");
  ASSERT_NE(leader, nullptr);
  char line[512] = {0};
  ASSERT_NE(fgets(line, sizeof line, leader), nullptr);
  const std::string first(line);
  const size_t at = first.find(" on tcp://");
  ASSERT_NE(at, std::string::npos) << first;
  const std::string endpoint = first.substr(at + 4, first.find('\n') - at - 4);

  FILE* follower = Start("--coreview follow --session-id e2e --coreview-timeout 120 --session " + endpoint);
  ASSERT_NE(follower, nullptr);
  std::string led, followed;
  EXPECT_EQ(Finish(leader, led), 0) << led;
  EXPECT_EQ(Finish(follower, followed), 0) << followed;
  EXPECT_NE(led.find("sent 5 value(s), last 1.000"), std::string::npos) << led;
  std::ostringstream expected;
  for (const char* v : {"0.000", "0.250", "0.500", "0.750", "1.000"}) {
    expected << "co-review: value " << v << "\n";
  }
  expected << "co-review: the leader ended the review\n"
           << "co-review: received 5 value(s), last 1.000\n";
  EXPECT_NE(followed.find(expected.str()), std::string::npos) << followed;
}

TEST(CoReviewPlay, BadCoReviewOptionsAreRefusedWithStatusTwo) {
  for (const char* bad : {"--coreview both", "--session udp://h:1", "--coreview-timeout 0",
                          "--coreview lead --end 70000", "--coreview-followers 2",
                          "--coreview follow --session 'tcp://127.0.0.1:*'"}) {
    std::string output;
    EXPECT_EQ(Finish(Start(bad), output), 2) << bad;
    EXPECT_NE(output.find("velloran-play: "), std::string::npos) << output;
  }
}

TEST(CoReviewPlay, AFollowerWithoutLeaderEndsAtItsTimeOutWithStatusZero) {
  std::string output;
  EXPECT_EQ(Finish(Start("--coreview follow --session ipc:///nonexistent/velloran "
                         "--coreview-timeout 0.1"), output), 0) << output;
  EXPECT_NE(output.find("the leader is gone"), std::string::npos) << output;
  EXPECT_NE(output.find("received no value"), std::string::npos) << output;
}
