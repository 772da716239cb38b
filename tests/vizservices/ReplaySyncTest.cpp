// The replay-sync answer is decided once per process, so each scenario runs
// in a child process of its own (a death test that exits with 0 on success).
// No test of this program may call IsKTRReplaySynced in the parent process:
// the children would inherit its cached answer.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "NUVRecord.h"
#include "NUVResultCodes.h"
#include "NUVSimVizServices.h"
#include "TestTempDir.h"

namespace {

const char kMarkLine[] = "level PLMSimSyncedKTR 1\n";

// Ends the child: exit code 0 when `failure` is null, else 1 with the reason
// on standard error, where the death-test report shows it.
void Finish(const char* failure) {
  NUVRecord::EndMain();
  if (failure) {
    std::fprintf(stderr, "%s\n", failure);
    std::exit(1);
  }
  std::exit(0);
}

#define EXPECT_CHILD_SUCCEEDS(body)                                                    \
  EXPECT_EXIT(                                                                         \
      {                                                                                \
        body;                                                                          \
        Finish(nullptr);                                                               \
      },                                                                               \
      ::testing::ExitedWithCode(0), "")

#define CHILD_CHECK(condition) \
  if (!(condition)) Finish("failed: " #condition)

class ReplaySyncTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "fast");
    NUVRecord::EndMain();
    ASSERT_FALSE(_Dir.Path().empty());
  }
  void TearDown() override { NUVRecord::EndMain(); }

  // A recording with the given level lines after the header.
  std::string Recording(const char* name, const std::string& levels) {
    std::string path = _Dir.File(name);
    TestTempDir::WriteFile(path, "NUVRecord 1\n" + levels);
    return path;
  }

  static int CountOccurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
      ++count;
    }
    return count;
  }

  TestTempDir _Dir;
};

TEST_F(ReplaySyncTest, CaptureMarksTheRecordingOnceAndItsReplayIsSynced) {
  std::string path = _Dir.File("captured.rec");
  EXPECT_CHILD_SUCCEEDS({
    CHILD_CHECK(NUVRecord::StartCapture(path.c_str()) == S_OK);
    CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 0);
    CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 0);
  });
  std::string captured = TestTempDir::ReadFile(path);
  EXPECT_EQ(captured, std::string("NUVRecord 1\n") + kMarkLine)
      << "level 1 recorded exactly once, nothing else";

  EXPECT_CHILD_SUCCEEDS({
    unsetenv("PLMSIM_KTR_SYNC");
    CHILD_CHECK(NUVRecord::StartReplay(path.c_str()) == S_OK);
    CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 1);
    // Later changes of the recorder do not matter any more.
    NUVRecord::EndMain();
    CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 1);
  });
}

TEST_F(ReplaySyncTest, CaptureKeepsAMarkAlreadyRecorded) {
  std::string path = _Dir.File("premarked.rec");
  EXPECT_CHILD_SUCCEEDS({
    CHILD_CHECK(NUVRecord::StartCapture(path.c_str()) == S_OK);
    CHILD_CHECK(NUVRecord::GetMain()->SetSoftwareRecordLevel(
                    const_cast<char*>("PLMSimSyncedKTR"), 0) == S_OK);
    CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 0);
  });
  EXPECT_EQ(TestTempDir::ReadFile(path), "NUVRecord 1\nlevel PLMSimSyncedKTR 0\n");

  // The recorded mark 0 decides: the environment is not consulted.
  EXPECT_CHILD_SUCCEEDS({
    setenv("PLMSIM_KTR_SYNC", "1", 1);
    CHILD_CHECK(NUVRecord::StartReplay(path.c_str()) == S_OK);
    CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 0);
  });
}

TEST_F(ReplaySyncTest, ReplayFollowsTheSignOfTheRecordedMark) {
  std::string positive = Recording("positive.rec", "level PLMSimSyncedKTR 5\n");
  std::string negative = Recording("negative.rec", "level PLMSimSyncedKTR -3\n");
  EXPECT_CHILD_SUCCEEDS({
    CHILD_CHECK(NUVRecord::StartReplay(positive.c_str()) == S_OK);
    CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 1);
  });
  EXPECT_CHILD_SUCCEEDS({
    setenv("PLMSIM_KTR_SYNC", "", 1);
    CHILD_CHECK(NUVRecord::StartReplay(negative.c_str()) == S_OK);
    CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 0);
  });
}

TEST_F(ReplaySyncTest, ReplayWithoutTheMarkFollowsTheEnvironmentOfTheFirstCall) {
  std::string path = Recording("unmarked.rec", "level Other 4\n");
  EXPECT_CHILD_SUCCEEDS({
    unsetenv("PLMSIM_KTR_SYNC");
    CHILD_CHECK(NUVRecord::StartReplay(path.c_str()) == S_OK);
    CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 0);
    setenv("PLMSIM_KTR_SYNC", "1", 1);
    CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 0);
  });
  EXPECT_CHILD_SUCCEEDS({
    setenv("PLMSIM_KTR_SYNC", "", 1);  // defined, even empty
    CHILD_CHECK(NUVRecord::StartReplay(path.c_str()) == S_OK);
    CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 1);
    unsetenv("PLMSIM_KTR_SYNC");
    CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 1);
  });
}

TEST_F(ReplaySyncTest, WithoutARecorderTheAnswerIsFalseForTheWholeProcess) {
  std::string marked = Recording("marked.rec", kMarkLine);
  std::string capture = _Dir.File("late-capture.rec");
  EXPECT_CHILD_SUCCEEDS({
    CHILD_CHECK(NUVRecord::GetMain() == nullptr);
    CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 0);
    CHILD_CHECK(NUVRecord::StartReplay(marked.c_str()) == S_OK);
    CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 0);
    CHILD_CHECK(NUVRecord::StartCapture(capture.c_str()) == S_OK);
    CHILD_CHECK(NUVSimVizServices::IsKTRReplaySynced() == 0);
  });
  EXPECT_EQ(TestTempDir::ReadFile(capture), "NUVRecord 1\n")
      << "a late capture is not marked: the question is not asked again";
}

}  // namespace
