#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>
#include <vector>

#include "NUVSimValue.h"

namespace {

void ExpectComponents(const NUVSimValue& v, long long whole, int fine) {
  EXPECT_EQ(v.GetWholePart(), whole);
  EXPECT_EQ(v.GetFinePart(), fine);
}

}  // namespace

TEST(SimValue, DecimalStepsDoNotDrift) {
  NUVSimValue t, step(0.1);
  for (int i = 0; i < 10; ++i) t += step;
  EXPECT_EQ(t, NUVSimValue(1.0)) << "ten steps of 0.1 must land exactly on 1.0";
  ExpectComponents(t, 1, 0);

  NUVSimValue back(1.0);
  for (int i = 0; i < 10; ++i) back -= step;
  EXPECT_EQ(back, NUVSimValue()) << "stepping back must return to zero exactly";
  ExpectComponents(NUVSimValue(0.7), 0, 700000000);
}

TEST(SimValue, NegativeValuesKeepFloorRepresentationAndOrder) {
  ExpectComponents(NUVSimValue(-0.25), -1, 750000000);
  ExpectComponents(NUVSimValue(-1.0), -1, 0);
  ExpectComponents(NUVSimValue(-1.5), -2, 500000000);
  EXPECT_DOUBLE_EQ(NUVSimValue(-0.25).GetValue(), -0.25);

  std::vector<double> doubles = {-1e12, -3.5, -1.0, -0.999999999, -0.25, -1e-9, 0.0,
                                 1e-9,  0.1,  0.25, 1.0,          2.5,   1e12};
  for (double a : doubles)
    for (double b : doubles) EXPECT_EQ(NUVSimValue(a) < NUVSimValue(b), a < b) << a << " vs " << b;
  NUVSimValue sum(-0.25);
  sum += NUVSimValue(0.5);
  EXPECT_EQ(sum, NUVSimValue(0.25));
  NUVSimValue diff(0.25);
  diff -= NUVSimValue(0.5);
  ExpectComponents(diff, -1, 750000000);
}

TEST(SimValue, ComponentConstructorNormalisesTheFinePart) {
  ExpectComponents(NUVSimValue(0, 1), 0, 1);
  ExpectComponents(NUVSimValue(1, 1500000000), 2, 500000000);
  ExpectComponents(NUVSimValue(1, -1), 0, 999999999);
  ExpectComponents(NUVSimValue(-4294967296LL, 0), -4294967296LL, 0);
  EXPECT_EQ(NUVSimValue(1e-9), NUVSimValue(0, 1));
}

TEST(SimValue, PowerOfTwo62AndSmallestStepAreRepresented) {
  NUVSimValue ceiling(4611686018427387904.0);
  ExpectComponents(ceiling, 4611686018427387904LL, 0);
  NUVSimValue smallest(0, 1);
  EXPECT_LT(NUVSimValue(), smallest);
  EXPECT_LT(smallest, NUVSimValue(0.1));
  EXPECT_GT(ceiling, NUVSimValue(1e18));
  EXPECT_FALSE(ceiling.IsPositiveInfinity());
  NUVSimValue above = ceiling;
  above += smallest;
  EXPECT_GT(above, ceiling);
}

TEST(SimValue, DblMaxIsGreaterThanEveryOtherValueAndAbsorbs) {
  NUVSimValue max(NUVSimValue::DblMax);
  EXPECT_TRUE(max.IsPositiveInfinity());
  EXPECT_EQ(max.GetValue(), NUVSimValue::DblMax);
  for (NUVSimValue other : {NUVSimValue(), NUVSimValue(4611686018427387904.0), NUVSimValue(9e18),
                            NUVSimValue(LLONG_MAX, 999999998), NUVSimValue(-1.0)}) {
    EXPECT_GT(max, other);
  }
  NUVSimValue stillMax = max;
  stillMax -= NUVSimValue(1.0);
  EXPECT_EQ(stillMax, max) << "an infinite value absorbs finite operands";
  stillMax += NUVSimValue(1e18);
  EXPECT_EQ(stillMax, max);

  NUVSimValue min(-NUVSimValue::DblMax);
  EXPECT_LT(min, NUVSimValue(-9e18));
  EXPECT_EQ(min.GetValue(), -NUVSimValue::DblMax);
  NUVSimValue undefined = max;
  undefined += min;
  EXPECT_EQ(undefined, NUVSimValue());
}

TEST(SimValue, NanAndOverflowAreSafe) {
  EXPECT_EQ(NUVSimValue(std::nan("")), NUVSimValue());
  NUVSimValue big(LLONG_MAX - 1, 0);
  big += NUVSimValue(5.0);
  EXPECT_TRUE(big.IsPositiveInfinity());
  NUVSimValue low(LLONG_MIN + 1, 0);
  low -= NUVSimValue(5.0);
  EXPECT_TRUE(low.IsNegativeInfinity());
  NUVSimValue carry(LLONG_MAX - 1, 999999999);
  carry += NUVSimValue(1, 1);
  EXPECT_TRUE(carry.IsPositiveInfinity());
}

TEST(SimValue, QuotientWholePartIsTheIntegerPart) {
  ExpectComponents(NUVSimValue(0.3) / NUVSimValue(0.1), 3, 0);
  ExpectComponents(NUVSimValue(0.05) / NUVSimValue(0.1), 0, 500000000);
  ExpectComponents(NUVSimValue(1.0) / NUVSimValue(3.0), 0, 333333333);
  ExpectComponents(NUVSimValue(100.0) / NUVSimValue(0.1), 1000, 0);
  // A quotient just below an integer must not round up to it.
  ExpectComponents(NUVSimValue(0, 999999999) / NUVSimValue(1.0), 0, 999999999);
  ExpectComponents(NUVSimValue(999, 999999999) / NUVSimValue(1000.0), 0, 999999999);
  // Negative quotients round downward, keeping the floor representation.
  ExpectComponents(NUVSimValue(-1.0) / NUVSimValue(3.0), -1, 666666666);
}

TEST(SimValue, DivisionByZeroAndInfinity) {
  EXPECT_TRUE((NUVSimValue(1.0) / NUVSimValue()).IsPositiveInfinity());
  EXPECT_TRUE((NUVSimValue(-1.0) / NUVSimValue()).IsNegativeInfinity());
  EXPECT_EQ(NUVSimValue() / NUVSimValue(), NUVSimValue());
  EXPECT_EQ(NUVSimValue(5.0) / NUVSimValue(NUVSimValue::DblMax), NUVSimValue());
  EXPECT_TRUE((NUVSimValue(NUVSimValue::DblMax) / NUVSimValue(2.0)).IsPositiveInfinity());
  EXPECT_TRUE((NUVSimValue(4611686018427387904.0) / NUVSimValue(0.1)).IsPositiveInfinity());
}

TEST(SimValue, ProductsAreExactToTheNanounit) {
  EXPECT_EQ(NUVSimValue(0.1) * NUVSimValue(3.0), NUVSimValue(0.3));
  EXPECT_EQ(NUVSimValue(0.1) * NUVSimValue(0.1), NUVSimValue(0.01));
  EXPECT_EQ(NUVSimValue(-0.5) * NUVSimValue(0.5), NUVSimValue(-0.25));
  // Whole parts beyond 32 bits take the wide path.
  EXPECT_EQ(NUVSimValue(1e10) * NUVSimValue(0.1), NUVSimValue(1e9));
  ExpectComponents(NUVSimValue(3e9) * NUVSimValue(3e9), 9000000000000000000LL, 0);
  ExpectComponents(NUVSimValue(123456789012.5) * NUVSimValue(-2.0), -246913578025LL, 0);
  // Rounded to the nearest nanounit.
  ExpectComponents(NUVSimValue(0, 1) * NUVSimValue(0.5), 0, 1);
  ExpectComponents(NUVSimValue(0, 1) * NUVSimValue(0.4), 0, 0);
  EXPECT_TRUE((NUVSimValue(4611686018427387904.0) * NUVSimValue(4.0)).IsPositiveInfinity());
  EXPECT_EQ(NUVSimValue(NUVSimValue::DblMax) * NUVSimValue(), NUVSimValue());
  EXPECT_TRUE((NUVSimValue(NUVSimValue::DblMax) * NUVSimValue(-1.0)).IsNegativeInfinity());
}

TEST(SimValue, ArithmeticAgreesWithDoublesOnRandomValues) {
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> cents(-100000, 100000);
  for (int i = 0; i < 2000; ++i) {
    double a = cents(rng) / 100.0, b = cents(rng) / 100.0;
    EXPECT_EQ(NUVSimValue(a) + NUVSimValue(b), NUVSimValue(a + b)) << a << " + " << b;
    EXPECT_EQ(NUVSimValue(a) - NUVSimValue(b), NUVSimValue(a - b)) << a << " - " << b;
    EXPECT_NEAR((NUVSimValue(a) * NUVSimValue(b)).GetValue(), a * b, 1e-6);
    if (b != 0.0) {
      EXPECT_NEAR((NUVSimValue(a) / NUVSimValue(b)).GetValue(), a / b, 1e-6);
    }
  }
}
