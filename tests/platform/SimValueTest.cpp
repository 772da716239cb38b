#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>
#include <vector>

#include "NUVListValNUVSimValue.h"
#include "NUVSimValue.h"

namespace {

const NUVSimValue kMax(NUVSimValue::DblMax);
const double kTwoTo62 = 4611686018427387904.0;

struct Components {
  NUVSimValue value;
  long long whole;
  int fine;
};

int CompareAscending(const NUVSimValue* a, const NUVSimValue* b) {
  return *a < *b ? -1 : (*b < *a ? 1 : 0);
}
std::mt19937 rng(7);
// Not an order at all: random answers.
int CompareRandomly(NUVSimValue*, NUVSimValue*) { return static_cast<int>(rng() % 3) - 1; }

std::vector<double> Values(const NUVListValNUVSimValue& list) {
  std::vector<double> out;
  for (int i = 1; i <= list.Size(); ++i) out.push_back(list[i].GetValue());
  return out;
}

}  // namespace

// Whole part floor, fine part in [0, 1e9): construction, normalisation,
// subtraction below zero, quotients that must not round up, wide products.
TEST(SimValue, ComponentsKeepTheFloorRepresentation) {
  for (const Components& c : std::vector<Components>{
           {NUVSimValue(0.7), 0, 700000000},
           {NUVSimValue(-0.25), -1, 750000000},
           {NUVSimValue(-1.0), -1, 0},
           {NUVSimValue(-1.5), -2, 500000000},
           {NUVSimValue(1, 1500000000), 2, 500000000},
           {NUVSimValue(1, -1), 0, 999999999},
           {NUVSimValue(-4294967296LL, 0), -4294967296LL, 0},
           {NUVSimValue(kTwoTo62), 4611686018427387904LL, 0},
           {NUVSimValue(0.3) / NUVSimValue(0.1), 3, 0},
           {NUVSimValue(0.05) / NUVSimValue(0.1), 0, 500000000},
           {NUVSimValue(1.0) / NUVSimValue(3.0), 0, 333333333},
           {NUVSimValue(0, 999999999) / NUVSimValue(1.0), 0, 999999999},
           {NUVSimValue(999, 999999999) / NUVSimValue(1000.0), 0, 999999999},
           {NUVSimValue(-1.0) / NUVSimValue(3.0), -1, 666666666},
           {NUVSimValue(3e9) * NUVSimValue(3e9), 9000000000000000000LL, 0},
           {NUVSimValue(123456789012.5) * NUVSimValue(-2.0), -246913578025LL, 0},
           {NUVSimValue(0, 1) * NUVSimValue(0.5), 0, 1},  // nearest nanounit
           {NUVSimValue(0, 1) * NUVSimValue(0.4), 0, 0},
       }) {
    EXPECT_EQ(c.value.GetWholePart(), c.whole) << c.value.GetValue();
    EXPECT_EQ(c.value.GetFinePart(), c.fine) << c.value.GetValue();
  }
  EXPECT_EQ(NUVSimValue(1e-9), NUVSimValue(0, 1));
}

// Sums and order on random values are in tests/properties.
TEST(SimValue, DecimalStepsDoNotDriftAtAnyMagnitude) {
  NUVSimValue t, step(0.1);
  for (int i = 0; i < 10; ++i) t += step;
  EXPECT_EQ(t, NUVSimValue(1.0)) << "ten steps of 0.1 must land exactly on 1.0";
  for (int i = 0; i < 10; ++i) t -= step;
  EXPECT_EQ(t, NUVSimValue()) << "stepping back must return to zero exactly";
  NUVSimValue above(kTwoTo62);
  above += NUVSimValue(0, 1);
  EXPECT_GT(above, NUVSimValue(kTwoTo62)) << "the smallest step still counts at 2^62";
  EXPECT_FALSE(NUVSimValue(kTwoTo62).IsPositiveInfinity());
}

TEST(SimValue, InfinitiesAbsorbAndNanOverflowAndDivisionByZeroAreSafe) {
  for (NUVSimValue other : {NUVSimValue(kTwoTo62), NUVSimValue(LLONG_MAX, 999999998)})
    EXPECT_GT(kMax, other);
  NUVSimValue stillMax = kMax;
  stillMax -= NUVSimValue(1.0);
  stillMax += NUVSimValue(1e18);
  EXPECT_EQ(stillMax, kMax) << "an infinite value absorbs finite operands";
  NUVSimValue min(-NUVSimValue::DblMax);
  EXPECT_LT(min, NUVSimValue(-9e18));
  stillMax += min;
  EXPECT_EQ(stillMax, NUVSimValue()) << "infinities of both signs cancel to empty";

  EXPECT_EQ(NUVSimValue(std::nan("")), NUVSimValue());
  EXPECT_TRUE((NUVSimValue(LLONG_MAX - 1, 999999999) + NUVSimValue(1, 1)).IsPositiveInfinity());
  EXPECT_TRUE((NUVSimValue(LLONG_MIN + 1, 0) - NUVSimValue(5.0)).IsNegativeInfinity());
  EXPECT_TRUE((NUVSimValue(-1.0) / NUVSimValue()).IsNegativeInfinity());
  EXPECT_EQ(NUVSimValue() / NUVSimValue(), NUVSimValue());
  EXPECT_EQ(NUVSimValue(5.0) / kMax, NUVSimValue());
  EXPECT_TRUE((NUVSimValue(kTwoTo62) / NUVSimValue(0.1)).IsPositiveInfinity());
  EXPECT_TRUE((NUVSimValue(kTwoTo62) * NUVSimValue(4.0)).IsPositiveInfinity());
  EXPECT_EQ(kMax * NUVSimValue(), NUVSimValue());
  EXPECT_TRUE((kMax * NUVSimValue(-1.0)).IsNegativeInfinity());
}

TEST(SimValueList, QuickSortSortsLargeListsAndSurvivesBadComparisons) {
  std::uniform_int_distribution<int> dist(-500, 500);
  NUVListValNUVSimValue list;
  std::vector<double> expected;
  for (int i = 0; i < 2000; ++i) {
    list.Append(NUVSimValue(dist(rng) / 10.0));
    expected.push_back(list[list.Size()].GetValue());
  }
  NUVListValNUVSimValue shuffled = list;
  list.QuickSort(&CompareAscending);
  list.QuickSort(&CompareAscending);  // sorted input: the worst case of a naive pivot
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Values(list), expected);

  shuffled.QuickSort(&CompareRandomly);
  std::vector<double> kept = Values(shuffled);
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(kept, expected) << "no order at all still keeps the same values";
  NUVListValNUVSimValue untouched = shuffled;
  shuffled.QuickSort(static_cast<NUVListValNUVSimValue::CompareFunction>(nullptr));
  EXPECT_EQ(Values(shuffled), Values(untouched));
}
