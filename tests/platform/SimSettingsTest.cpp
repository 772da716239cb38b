#include <gtest/gtest.h>

#include "NUVSimExecutionOptionsSettings.h"

class SimSettings : public ::testing::Test {
 protected:
  void TearDown() override { NUVSimExecutionOptionsSettings::ResetToDefaults(); }
};

TEST_F(SimSettings, DefaultsAreRestored) {
  typedef NUVSimExecutionOptionsSettings S;
  S::SetSynchronousRefresh(0);
  S::SetGraphicsUpdatesYesOrNo(0);
  S::SetUpdateRate(7);
  S::SetUpdateTime(2.5f);
  S::SetMasterClockYesOrNo(1);
  S::SetRealTimeYesOrNo(1);
  S::SetRealTimeFactor(3.0);
  S::SetAdaptiveClockIntervalYesOrNo(1);
  S::ResetToDefaults();
  EXPECT_EQ(S::GetSynchronousRefresh(), 1);
  EXPECT_EQ(S::GetGraphicsUpdatesYesOrNo(), 1);
  EXPECT_EQ(S::GetUpdateRate(), 1);
  EXPECT_FLOAT_EQ(S::GetUpdateTime(), 0.1f);
  EXPECT_EQ(S::GetMasterClockYesOrNo(), 0);
  EXPECT_EQ(S::GetRealTimeYesOrNo(), 0);
  EXPECT_DOUBLE_EQ(S::GetRealTimeFactor(), 1.0);
  EXPECT_EQ(S::GetAdaptiveClockIntervalYesOrNo(), 0);
}

TEST_F(SimSettings, EverySetterReachesItsGetterAtOnce) {
  typedef NUVSimExecutionOptionsSettings S;
  // Each setting is changed alone, so that a setter writing the wrong field
  // shows up as a neighbour that moved.
  S::SetUpdateRate(3);
  EXPECT_EQ(S::GetUpdateRate(), 3);
  EXPECT_FLOAT_EQ(S::GetUpdateTime(), 0.1f);
  S::SetUpdateTime(0.5f);
  EXPECT_FLOAT_EQ(S::GetUpdateTime(), 0.5f);
  EXPECT_EQ(S::GetUpdateRate(), 3);
  S::SetRealTimeFactor(0.25);
  EXPECT_DOUBLE_EQ(S::GetRealTimeFactor(), 0.25);

  S::SetMasterClockYesOrNo(1);
  EXPECT_EQ(S::GetMasterClockYesOrNo(), 1);
  EXPECT_EQ(S::GetRealTimeYesOrNo(), 0);
  S::SetRealTimeYesOrNo(1);
  EXPECT_EQ(S::GetRealTimeYesOrNo(), 1);
  EXPECT_EQ(S::GetAdaptiveClockIntervalYesOrNo(), 0);
  S::SetAdaptiveClockIntervalYesOrNo(1);
  EXPECT_EQ(S::GetAdaptiveClockIntervalYesOrNo(), 1);
  S::SetSynchronousRefresh(0);
  EXPECT_EQ(S::GetSynchronousRefresh(), 0);
  EXPECT_EQ(S::GetGraphicsUpdatesYesOrNo(), 1);
  S::SetGraphicsUpdatesYesOrNo(0);
  EXPECT_EQ(S::GetGraphicsUpdatesYesOrNo(), 0);
  EXPECT_EQ(S::GetMasterClockYesOrNo(), 1);

  // Any non-zero flag reads back as 1.
  S::SetSynchronousRefresh(42);
  EXPECT_EQ(S::GetSynchronousRefresh(), 1);
}
