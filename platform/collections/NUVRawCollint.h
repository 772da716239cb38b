// NUVRawCollint: a list of ints with 1-based positions (see NUVRawCollPV).
// Threading: user-interface thread only.
#ifndef NUVRawCollint_h
#define NUVRawCollint_h

#include <vector>

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVRawCollint {
 public:
  int Size() const { return static_cast<int>(_Items.size()); }
  void Append(int item) { _Items.push_back(item); }
  void InsertAt(int position, int item);
  int Locate(int item, int from = 1) const;
  void RemovePosition(int position);
  int RemoveValue(int item);
  void RemoveAll() { _Items.clear(); }
  // Outside 1..Size() reads 0.
  int operator[](int position) const {
    return position >= 1 && position <= Size() ? _Items[position - 1] : 0;
  }
  void Set(int position, int item) {
    if (position >= 1 && position <= Size()) _Items[position - 1] = item;
  }

 private:
  std::vector<int> _Items;
};

#endif
