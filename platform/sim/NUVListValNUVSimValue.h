// NUVListValNUVSimValue: a list of simulated values with 1-based positions.
//
//   NUVListValNUVSimValue schedule;
//   schedule.Append(NUVSimValue(2.0)); schedule.QuickSort(&CompareValues);
//
// Positions outside 1..Size() read as the empty value and are ignored by
// removals. QuickSort tolerates comparison functions that are not a strict
// order (for instance one that answers 1 for equal values): the order it
// produces then follows the answers, and it never reads outside the list.
// Threading: user-interface thread only.
#ifndef NUVListValNUVSimValue_h
#define NUVListValNUVSimValue_h

#include <vector>

#include "NUVSimValue.h"
#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVListValNUVSimValue {
 public:
  // Negative when the first value goes before the second.
  typedef int (*CompareFunction)(NUVSimValue*, NUVSimValue*);
  typedef int (*ConstCompareFunction)(const NUVSimValue*, const NUVSimValue*);

  int Size() const { return static_cast<int>(_Items.size()); }
  void Append(const NUVSimValue& value) { _Items.push_back(value); }
  // Inserts so that `value` ends at `position` (1..Size()+1); others are ignored.
  void InsertAt(int position, const NUVSimValue& value);
  // Position of the first value equal to `value` at or after `from`, 0 when absent.
  int Locate(const NUVSimValue& value, int from = 1) const;
  void RemovePosition(int position);
  // Removes the first equal value; returns its former position, 0 when absent.
  int RemoveValue(const NUVSimValue& value);
  void RemoveAll() { _Items.clear(); }

  NUVSimValue operator[](int position) const {
    return position >= 1 && position <= Size() ? _Items[position - 1] : NUVSimValue();
  }
  void Set(int position, const NUVSimValue& value) {
    if (position >= 1 && position <= Size()) _Items[position - 1] = value;
  }

  // Sorts so that, for each element, the comparison with the elements after
  // it is not negative. A null function leaves the list as it is.
  void QuickSort(CompareFunction compare);
  void QuickSort(ConstCompareFunction compare);

 private:
  template <class Compare>
  void Sort(Compare compare);

  std::vector<NUVSimValue> _Items;
};

#endif
