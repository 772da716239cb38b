// NUVRawCollPV: a list of plain pointers with 1-based positions. It neither
// owns nor reference-counts its elements.
//
//   NUVRawCollPV list;
//   list.Append(p);            // position 1
//   void* first = list[1];
//   list.RemovePosition(1);    // constant time: a queue's pop
//
// Positions outside 1..Size() read as null and are ignored by removals.
// Removing position 1 only moves a start index; the removed front slots are
// given back once they are the larger part of the storage, so a list used as
// a first-in first-out queue costs constant amortised time per element.
// Threading: user-interface thread only.
#ifndef NUVRawCollPV_h
#define NUVRawCollPV_h

#include <cstddef>
#include <vector>

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVRawCollPV {
 public:
  NUVRawCollPV() = default;
  explicit NUVRawCollPV(int reserve) { if (reserve > 0) _Items.reserve(reserve); }

  int Size() const { return static_cast<int>(_Items.size() - _Head); }
  void Append(void* item) { _Items.push_back(item); }
  // Inserts so that `item` ends at `position` (1..Size()+1); others are ignored.
  void InsertAt(int position, void* item);
  // Position of the first occurrence at or after `from`, 0 when absent.
  int Locate(void* item, int from = 1) const;
  void RemovePosition(int position);
  // Removes `count` positions from `position` on (those that exist).
  void RemovePosition(int position, unsigned int count);
  // Grows with nulls or shrinks to `size` positions.
  void Size(int size);
  // Removes the first occurrence; returns its former position, 0 when absent.
  int RemoveValue(void* item);
  void RemoveAll() {
    _Items.clear();
    _Head = 0;
  }
  void* operator[](int position) const {
    return position >= 1 && position <= Size() ? _Items[_Head + position - 1] : nullptr;
  }
  void Set(int position, void* item) {
    if (position >= 1 && position <= Size()) _Items[_Head + position - 1] = item;
  }

 private:
  // Gives the removed front slots back once they outnumber the live ones.
  void Compact();

  std::vector<void*> _Items;
  std::size_t _Head = 0;  // slots before it were removed from the front
};

#endif
