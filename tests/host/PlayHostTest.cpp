// velloran-play run as a user runs it: exit statuses, the summary and the
// files it writes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "TestTempDir.h"

namespace {

struct PlayResult {
  int status;
  std::string output;
};

PlayResult Play(const std::string& arguments) {
  std::string command = std::string(VELLORAN_PLAY_PATH) + " " + arguments + " 2>&1";
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

}  // namespace

TEST(PlayHost, PlaysBothControllersByDefault) {
  PlayResult run = Play("--quiet");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("key-frame controller"), std::string::npos);
  EXPECT_NE(run.output.find("negotiated-time controller"), std::string::npos);
  EXPECT_NE(run.output.find("steps computed   201"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("frames drawn     201"), std::string::npos)
      << "every key frame drawn under synchronous refresh at rate 1\n" << run.output;
  EXPECT_NE(run.output.find("simulated time   10.000"), std::string::npos);
}

TEST(PlayHost, BadOptionsExitWithStatusTwoAndSayWhy) {
  for (const char* bad : {"--update-rate -1", "--real-time 0", "--real-time -2",
                          "--speed-factor 0", "--schedule 1,two", "--schedule @/no/such/file",
                          "--controller xy", "--frobnicate", "--update-rate"}) {
    PlayResult run = Play(bad);
    EXPECT_EQ(run.status, 2) << bad;
    EXPECT_NE(run.output.find("velloran-play:"), std::string::npos) << bad << ": " << run.output;
  }
  PlayResult help = Play("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("--real-time"), std::string::npos);
}

TEST(PlayHost, TraceAndPlotDescribeTheSameSteps) {
  TestTempDir dir;
  const std::string trace = dir.Path() + "/play.csv";
  const std::string plot = dir.Path() + "/play.svg";
  const std::string schedule = dir.Path() + "/schedule.txt";
  TestTempDir::WriteFile(schedule, "0.5\n1.5\n");
  PlayResult run = Play("--controller kf --update-rate 2 --end 2 --step 0.25 --schedule @" + schedule +
                 " --quiet --trace " + trace + " --plot " + plot);
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
  // Each step computes half as long again as the one before: real-time play
  // cannot keep up, and eleven growing real-time advances in a row stop it.
  // The advances are measured on the real clock, so a machine busy enough to
  // make one advance shrink breaks the row; a few attempts make the test
  // about the host's reporting, not about the machine's load.
  PlayResult run{-1, ""};
  for (int attempt = 0; attempt < 3 && run.status != 1; ++attempt) {
    run = Play("--controller nt --real-time 1 --end 5 --cost-growth 50 --quiet");
  }
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_NE(run.output.find("Simulation errors"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("falling behind"), std::string::npos) << run.output;
}
