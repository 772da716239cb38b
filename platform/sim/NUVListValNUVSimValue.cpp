#include "NUVListValNUVSimValue.h"

#include <utility>

void NUVListValNUVSimValue::InsertAt(int position, const NUVSimValue& value) {
  if (position < 1 || position > Size() + 1) return;
  _Items.insert(_Items.begin() + (position - 1), value);
}

int NUVListValNUVSimValue::Locate(const NUVSimValue& value, int from) const {
  if (from < 1) from = 1;
  for (int i = from; i <= Size(); ++i) {
    if (_Items[i - 1] == value) return i;
  }
  return 0;
}

void NUVListValNUVSimValue::RemovePosition(int position) {
  if (position < 1 || position > Size()) return;
  _Items.erase(_Items.begin() + (position - 1));
}

int NUVListValNUVSimValue::RemoveValue(const NUVSimValue& value) {
  int position = Locate(value);
  if (position) RemovePosition(position);
  return position;
}

// Quicksort with a middle pivot and Lomuto partition: every index stays within
// the partitioned range whatever the comparison answers, so a comparison that
// is not a strict order cannot make it run off the list. Short ranges use
// insertion sort, which is bounded the same way.
template <class Compare>
void NUVListValNUVSimValue::Sort(Compare compare) {
  struct Range {
    int low, high;  // inclusive, 0-based
  };
  std::vector<Range> pending;
  if (Size() > 1) pending.push_back({0, Size() - 1});
  while (!pending.empty()) {
    Range r = pending.back();
    pending.pop_back();
    if (r.high - r.low < 8) {
      for (int i = r.low + 1; i <= r.high; ++i) {
        for (int j = i; j > r.low && compare(&_Items[j], &_Items[j - 1]) < 0; --j)
          std::swap(_Items[j], _Items[j - 1]);
      }
      continue;
    }
    int middle = r.low + (r.high - r.low) / 2;
    std::swap(_Items[middle], _Items[r.high]);
    int store = r.low;
    for (int i = r.low; i < r.high; ++i) {
      if (compare(&_Items[i], &_Items[r.high]) < 0) std::swap(_Items[i], _Items[store++]);
    }
    std::swap(_Items[store], _Items[r.high]);
    // The smaller side is pushed last, so it is sorted first and the stack
    // stays logarithmic on typical input.
    Range left{r.low, store - 1}, right{store + 1, r.high};
    bool leftSmaller = (left.high - left.low) < (right.high - right.low);
    const Range& first = leftSmaller ? right : left;
    const Range& second = leftSmaller ? left : right;
    if (first.high > first.low) pending.push_back(first);
    if (second.high > second.low) pending.push_back(second);
  }
}

void NUVListValNUVSimValue::QuickSort(CompareFunction compare) {
  if (!compare) return;
  Sort([compare](NUVSimValue* a, NUVSimValue* b) { return compare(a, b); });
}

void NUVListValNUVSimValue::QuickSort(ConstCompareFunction compare) {
  if (!compare) return;
  Sort([compare](NUVSimValue* a, NUVSimValue* b) { return compare(a, b); });
}
