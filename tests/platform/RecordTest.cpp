#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "NUVRecord.h"
#include "NUVResultCodes.h"
#include "TestTempDir.h"

namespace {

class RecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    NUVRecord::EndMain();
    ASSERT_FALSE(_Dir.Path().empty());
  }
  void TearDown() override { NUVRecord::EndMain(); }

  static int Level(const char* name, int* level) {
    return NUVRecord::GetMain()->GetSoftwareRecordLevel(const_cast<char*>(name), level);
  }
  // The level recorded under `name`, or kAbsent.
  static long long LevelOf(const char* name) {
    int level = 0;
    return Level(name, &level) ? level : kAbsent;
  }
  static constexpr long long kAbsent = 1LL << 40;
  static long SetLevel(const char* name, int level) {
    return NUVRecord::GetMain()->SetSoftwareRecordLevel(const_cast<char*>(name), level);
  }

  TestTempDir _Dir;
};

TEST_F(RecordTest, CaptureWritesAtOnceAndReplayReadsBackTheLastValues) {
  EXPECT_EQ(NUVRecord::GetMain(), nullptr) << "no recorder until one is started";
  std::string path = _Dir.File("session.rec");
  ASSERT_EQ(NUVRecord::StartCapture(path.c_str()), S_OK);
  ASSERT_EQ(SetLevel("first", 7), S_OK);
  ASSERT_EQ(SetLevel("extremes.min", INT_MIN), S_OK);
  ASSERT_EQ(SetLevel("extremes.max", INT_MAX), S_OK);
  ASSERT_EQ(SetLevel("first", 9), S_OK);
  EXPECT_EQ(LevelOf("first"), 9);
  // Read while the capture is still open: the lines must already be there.
  EXPECT_EQ(TestTempDir::ReadFile(path), "NUVRecord 1\nlevel first 7\nlevel extremes.min -2147483648\n"
                                         "level extremes.max 2147483647\nlevel first 9\n");
  NUVRecord::EndMain();
  NUVRecord::EndMain();  // ending twice is harmless

  ASSERT_EQ(NUVRecord::StartReplay(path.c_str()), S_OK);
  EXPECT_TRUE(NUVRecord::GetMain()->IsReplay());
  EXPECT_EQ(LevelOf("first"), 9) << "the last value recorded under a name wins";
  EXPECT_EQ(LevelOf("extremes.min"), INT_MIN);
  EXPECT_EQ(LevelOf("extremes.max"), INT_MAX);
  int level = 55;
  EXPECT_FALSE(Level("never", &level));
  EXPECT_EQ(level, 55) << "an unknown name leaves the level alone";
  EXPECT_EQ(SetLevel("first", 5), E_FAIL) << "a replay is read only";
}

TEST_F(RecordTest, ReplaySkipsMalformedLinesAndAcceptsCarriageReturns) {
  std::string path = _Dir.File("hand.rec");
  TestTempDir::WriteFile(path,
                         "NUVRecord 1\r\nlevel good 1\r\nlevel word x\nlevel missing\n"
                         "level huge 99999999999\nlevel plus +4\nlevel spaced  3\n"
                         "level trailing 3x\ncomment anything 3\n\nlevel  empty 1\n"
                         "level negative -12\nlevel partial 4");
  ASSERT_EQ(NUVRecord::StartReplay(path.c_str()), S_OK);
  EXPECT_EQ(LevelOf("good"), 1);
  EXPECT_EQ(LevelOf("negative"), -12);
  EXPECT_EQ(LevelOf("partial"), 4) << "a last line without newline still counts";
  for (const char* rejected : {"word", "missing", "huge", "plus", "spaced", "trailing", "anything",
                               "empty", "comment"})
    EXPECT_EQ(LevelOf(rejected), kAbsent) << rejected;
}

TEST_F(RecordTest, BadFilesNamesAndArgumentsAreRefused) {
  EXPECT_EQ(NUVRecord::StartReplay(_Dir.File("absent.rec").c_str()), E_FAIL);
  for (const char* text : {"", "NUVRecord 2\nlevel a 1\n"}) {  // empty; another version
    std::string path = _Dir.File("other.rec");
    TestTempDir::WriteFile(path, text);
    EXPECT_EQ(NUVRecord::StartReplay(path.c_str()), E_FAIL) << text;
  }
  EXPECT_EQ(NUVRecord::StartReplay(_Dir.Path().c_str()), E_FAIL) << "a directory";
  EXPECT_EQ(NUVRecord::GetMain(), nullptr);
  for (const char* none : {static_cast<const char*>(nullptr), ""}) {
    EXPECT_EQ(NUVRecord::StartReplay(none), E_INVALIDARG);
    EXPECT_EQ(NUVRecord::StartCapture(none), E_INVALIDARG);
  }
  std::string path = _Dir.File("first.rec");
  ASSERT_EQ(NUVRecord::StartCapture(path.c_str()), S_OK);
  EXPECT_EQ(NUVRecord::GetMain()->SetSoftwareRecordLevel(nullptr, 1), E_INVALIDARG);
  for (const char* bad : {"", "two words", "tab\tname", "new\nline", "del\x7f"})
    EXPECT_EQ(SetLevel(bad, 1), E_INVALIDARG) << bad;
  EXPECT_EQ(TestTempDir::ReadFile(path), "NUVRecord 1\n") << "nothing may be written";
  ASSERT_EQ(SetLevel("caf\xc3\xa9", 2), S_OK) << "non-ASCII names are allowed";
  int level = 0;
  EXPECT_FALSE(NUVRecord::GetMain()->GetSoftwareRecordLevel(nullptr, &level));
  EXPECT_FALSE(Level("caf\xc3\xa9", nullptr));
  EXPECT_EQ(NUVRecord::StartCapture(_Dir.File("no/such/dir.rec").c_str()), E_FAIL);
  EXPECT_EQ(NUVRecord::GetMain(), nullptr) << "a failed start leaves no recorder behind";
}

}  // namespace
