// The unit strings: the family operations over the platform's magnitudes,
// the derived factor and inverse, and the number display hand-over.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "NUVNullVarError.h"
#include "NUVParmDictionary.h"
#include "NUVQlmMagnitude.h"
#include "NUVQlmNumbersDisplay.h"
#include "NUVSimVizServices.h"


class UnitsFixedUnit : public NUVIQlmUnit {
  NUV_DECLARE_CLASS
 public:
  explicit UnitsFixedUnit(double factor) : _Factor(factor) {}
  NUVUnicodeString GetLabel() override { return "u"; }
  double Convert(double value) override { return value * _Factor; }
  double _Factor;
};
NUV_IMPLEMENT_CLASS(UnitsFixedUnit, NUVIQlmUnit, "VelloranTests")

// Creates no parameter, and remembers which operation was asked for what.
class UnitsEmptyFactory : public NUVIQlmParmFactory {
  NUV_DECLARE_CLASS
 public:
  NUVIQlmParm_var CreateLength(const NUVUnicodeString& n, double v) override {
    return Note("L", n, v); }
  NUVIQlmParm_var CreateAngle(const NUVUnicodeString& n, double v) override {
    return Note("A", n, v); }
  NUVIQlmParm_var CreateTime(const NUVUnicodeString& n, double v) override {
    return Note("T", n, v); }
  NUVIQlmParm_var Note(const char* what, const NUVUnicodeString& n, double v) {
    return calls += std::string(what) + n.Std() + std::to_string(v) + ";", nullptr;
  }
  std::string calls;
};
NUV_IMPLEMENT_CLASS(UnitsEmptyFactory, NUVIQlmParmFactory, "VelloranTests")

namespace {

const double kPi = std::acos(-1.0);
typedef void (*UnitsOperation)(NUVUnicodeString&, double&, double&);
typedef unsigned char (*DecodeOperation)(NUVUnicodeString&, double&);
const UnitsOperation kUnits[] = {&NUVSimVizServices::GetTimeUnits,
                                 &NUVSimVizServices::GetLengthUnits,
                                 &NUVSimVizServices::GetAngleUnits};
const DecodeOperation kDecode[] = {&NUVSimVizServices::DecodeTimeString,
                                   &NUVSimVizServices::DecodeLengthString,
                                   &NUVSimVizServices::DecodeAngleString};
NUVQlmMagnitude* Magnitude(int family) {
  return family == 0 ? NUVQlmMagnitude::Time()
                     : family == 1 ? NUVQlmMagnitude::Length() : NUVQlmMagnitude::Angle();
}

class UnitStringsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    NUVParmDictionary::RestoreVolatileFactory();
    NUVQlmMagnitude::Time()->SetCurrentUnit("s");
    NUVQlmMagnitude::Length()->SetCurrentUnit("mm");
    NUVQlmMagnitude::Angle()->SetCurrentUnit("deg");
    NUVQlmNumbersDisplay::SetShowTrailingZerosProperty(0);
  }
};

TEST_F(UnitStringsTest, FactorAndInverseOfTheCurrentUnitInEachFamily) {
  const struct {
    double factor, expectedFactor, expectedInverse;
  } cases[] = {{0.001, 0.001, 1000.0}, {1.0 / 49, 1.0 / 49, 49.0}, {0.4, 0.4, 3.0},
               {1.0, 1.0, 1.0}, {60, 60, 1.0 / 60}, {0, 1, 1}, {-1, 1, 1}, {NAN, 1, 1},
               {1e-12, 1e-12, 2147483647.0}};
  for (int family = 0; family < 3; ++family) {
    for (const auto& c : cases) {
      NUVIQlmUnit_var unit;
      unit.Attach(new UnitsFixedUnit(c.factor));
      ASSERT_TRUE(Magnitude(family)->SetCurrentUnit(unit.get()));
      const unsigned long refs = unit->GetRefCount();
      NUVUnicodeString label;
      double factor = 0, inverse = 0;
      kUnits[family](label, factor, inverse);
      EXPECT_EQ(label.Std(), "u") << "the label is reported whatever the factor";
      EXPECT_EQ(factor, c.expectedFactor) << family << " " << c.factor;
      EXPECT_EQ(inverse, c.expectedInverse) << family << " " << c.factor;
      EXPECT_EQ(unit->GetRefCount(), refs) << "the call keeps no reference";
    }
  }
}

TEST_F(UnitStringsTest, NoParameterLeavesOutputsAndNoFactoryThrows) {
  NUVIQlmParmFactory_var factory;
  UnitsEmptyFactory* empty = new UnitsEmptyFactory;
  factory.Attach(empty);
  NUVParmDictionary::SetVolatileFactory(empty);
  for (int family = 0; family < 3; ++family) {
    NUVUnicodeString label("kept"), text("1 s");
    double factor = 5, inverse = 7, value = 42;
    kUnits[family](label, factor, inverse);
    EXPECT_EQ(label.Std(), "kept");
    EXPECT_EQ(factor, 1.0);
    EXPECT_EQ(inverse, 7.0);
    EXPECT_EQ(kDecode[family](text, value), 0);
    EXPECT_EQ(value, 42.0);
  }
  EXPECT_EQ(empty->calls, "TTimeUnits1.000000;TTimeUnits1.000000;LLengthUnits1.000000;"
                          "LLengthUnits1.000000;AAngleUnits1.000000;AAngleUnits1.000000;");

  NUVParmDictionary::SetVolatileFactory(nullptr);
  NUVUnicodeString label, text("1 s");
  double factor = 0, inverse = 0, value = 0;
  EXPECT_THROW(NUVSimVizServices::GetAngleUnits(label, factor, inverse), NUVNullVarError);
  EXPECT_THROW(NUVSimVizServices::DecodeTimeString(text, value), NUVNullVarError);
}

TEST_F(UnitStringsTest, DecodesGoodTextsIntoTheBaseUnitAndRefusesBadOnesUntouched) {
  const double kRefused = 42;
  const struct {
    int family;
    const char* text;
    double expected;  // kRefused: the verdict must be false
  } cases[] = {
      {0, "2.5 s", 2.5}, {0, "150 ms", 0.15}, {0, "2 min", 120}, {0, " 2min\t", 120},
      {0, "-1.5e1 s", -15}, {0, "3", 3}, {1, "10 mm", 0.01}, {1, "0.3 m", 0.3},
      {1, "1 in", 0.0254}, {1, "10", 0.01}, {2, "1.5 rad", 1.5}, {2, ".5e+2 deg", kPi / 3.6},
      {2, "90 deg", kPi / 2}, {0, "", kRefused}, {0, " \t", kRefused}, {0, "10 mm", kRefused},
      {1, "2 s", kRefused}, {2, "1 m", kRefused}, {0, "nan", kRefused}, {0, "inf s", kRefused},
      {0, "-inf", kRefused}, {0, "2.5 s x", kRefused}, {0, "2.5 ss", kRefused},
      {0, "1e400 s", kRefused}, {0, "1e308 min", kRefused}, {0, "0x10", kRefused},
      {0, ".", kRefused}, {0, "s", kRefused}, {0, "--1 s", kRefused}, {0, "1e s", kRefused},
      {0, "1 2 s", kRefused}, {1, "1,5 m", kRefused},
  };
  for (const auto& c : cases) {
    NUVUnicodeString text(c.text);
    double value = kRefused;
    const unsigned char verdict = kDecode[c.family](text, value);
    EXPECT_EQ(verdict != 0, c.expected != kRefused) << '"' << c.text << '"';
    EXPECT_NEAR(value, c.expected, 1e-12) << '"' << c.text << '"';
  }
}

TEST_F(UnitStringsTest, EncodeDoubleHandsPrecisionAndSettingOverInFixedNotation) {
  const struct {
    double value;
    int precision, trailingZeros;
    const char* expected;
  } cases[] = {{1.5, 3, 1, "1.500"}, {1.5, 3, 0, "1.5"}, {2.0, 3, 0, "2"}, {1.0 / 3, -5, 1, "0"},
               {1e20, 2, 0, "100000000000000000000"}, {1.0 / 3, 1000, 1, "0.33333333333333331"}};
  for (const auto& c : cases) {
    NUVQlmNumbersDisplay::SetShowTrailingZerosProperty(c.trailingZeros);
    NUVUnicodeString text("old");
    NUVSimVizServices::EncodeDouble(c.value, text, c.precision);
    EXPECT_EQ(text.Std(), c.expected) << c.value << " " << c.precision;
  }
}

}  // namespace
