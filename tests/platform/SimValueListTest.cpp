#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "NUVListValNUVSimValue.h"

namespace {

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

TEST(SimValueList, PositionsAreOneBasedAndOutOfRangeIsHarmless) {
  NUVListValNUVSimValue list;
  for (double v : {1.0, 2.0, 1.0}) list.Append(NUVSimValue(v));
  EXPECT_EQ(list[0], NUVSimValue()) << "position 0 reads as the empty value";
  EXPECT_EQ(list[4], NUVSimValue());
  EXPECT_EQ(list.Locate(NUVSimValue(1.0), 2), 3);
  EXPECT_EQ(list.Locate(NUVSimValue(1, 1)), 0) << "one nanounit away is another value";
  list.RemovePosition(0);
  list.RemovePosition(4);
  list.RemovePosition(1);
  list.InsertAt(4, NUVSimValue(9.0));  // beyond Size()+1: ignored
  EXPECT_EQ(Values(list), (std::vector<double>{2.0, 1.0}));
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
