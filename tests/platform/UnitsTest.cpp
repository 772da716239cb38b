// The platform's magnitudes: the user's current unit decides what a bare
// number means, and only known units can be selected by label.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "NUVQlmMagnitude.h"
#include "NUVQlmNumbersDisplay.h"

TEST(QlmMagnitude, BareNumbersFollowTheCurrentUnitAndUnknownLabelsAreRefused) {
  NUVQlmMagnitude* time = NUVQlmMagnitude::Time();
  double value = 0;
  ASSERT_TRUE(time->SetCurrentUnit("min"));
  EXPECT_TRUE(time->Decode("2", value));
  EXPECT_EQ(value, 120.0);
  EXPECT_FALSE(time->SetCurrentUnit("mm")) << "a length unit is no time unit";
  EXPECT_FALSE(time->SetCurrentUnit(static_cast<NUVIQlmUnit*>(nullptr)));
  EXPECT_EQ(time->GetCurrentUnit()->GetLabel().Std(), "min") << "a refused unit changes nothing";
  EXPECT_TRUE(time->Decode("30 s", value));
  EXPECT_EQ(value, 30.0) << "an explicit unit wins over the current one";
  ASSERT_TRUE(time->SetCurrentUnit("s"));
}

TEST(QlmNumbersDisplay, ScientificNotationAndExtremeValuesStayInTheBuffer) {
  const struct {
    double value;
    int precision, zeros;
    unsigned char flag;
    const char* expected;
  } cases[] = {{1500, 3, 1, 1, "1.500e+03"}, {1500, 3, 0, 1, "1.5e+03"}, {100, 0, 0, 0, "100"},
               {-1.7976931348623157e308, 2, 0, 1, "-1.8e+308"}, {-INFINITY, 3, 1, 0, "-inf"}};
  for (const auto& c : cases) {
    char* text = NUVQlmNumbersDisplay::DoubleToString(c.value, c.precision, c.zeros, c.flag);
    EXPECT_STREQ(text, c.expected);
    delete[] text;
  }
  char* longest = NUVQlmNumbersDisplay::DoubleToString(-1.7976931348623157e308, 1 << 30, 1, 0);
  EXPECT_EQ(std::strlen(longest), 1u + 309 + 1 + NUVQlmNumbersDisplay::kMaxPrecision);
  delete[] longest;
}
