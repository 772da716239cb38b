#include <gtest/gtest.h>

#include <limits>

#include "NUVSimExecutionOptionsSettings.h"

typedef NUVSimExecutionOptionsSettings S;

// A value out of range is refused and the previous one stays, as a settings
// panel would do; the smallest values in range are taken.
TEST(SimSettings, NumbersOutOfRangeAreRefusedAndThePreviousValueKept) {
  S::ResetToDefaults();
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (int steps : {0, -1, std::numeric_limits<int>::min()}) {
    EXPECT_EQ(S::SetUpdateRate(steps), E_INVALIDARG) << steps;
  }
  for (double seconds : {-0.001, -inf, inf, nan}) {
    EXPECT_EQ(S::SetUpdateTime(static_cast<float>(seconds)), E_INVALIDARG) << seconds;
  }
  for (double factor : {0.0, -0.0, -1.0, -inf, inf, nan}) {
    EXPECT_EQ(S::SetRealTimeFactor(factor), E_INVALIDARG) << factor;
  }
  EXPECT_EQ(S::GetUpdateRate(), 1) << "the defaults are kept";
  EXPECT_EQ(S::GetUpdateTime(), 0.1f);
  EXPECT_EQ(S::GetRealTimeFactor(), 1.0);
  EXPECT_EQ(S::SetUpdateRate(1), S_OK);
  EXPECT_EQ(S::SetUpdateTime(0.0f), S_OK) << "zero: refresh whenever time has passed";
  EXPECT_EQ(S::SetRealTimeFactor(1e-300), S_OK);
  EXPECT_EQ(S::GetUpdateTime(), 0.0f);
  EXPECT_EQ(S::GetRealTimeFactor(), 1e-300);
  S::ResetToDefaults();
}
