// NUVRawCollPV: a list of plain pointers with 1-based positions. It neither
// owns nor reference-counts its elements.
//
//   NUVRawCollPV list;
//   list.Append(p);            // position 1
//   void* first = list[1];
//
// Positions outside 1..Size() read as null and are ignored by removals.
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

  int Size() const { return static_cast<int>(_Items.size()); }
  void Append(void* item) { _Items.push_back(item); }
  // Inserts so that `item` ends at `position` (1..Size()+1); others are ignored.
  void InsertAt(int position, void* item);
  // Position of the first occurrence at or after `from`, 0 when absent.
  int Locate(void* item, int from = 1) const;
  void RemovePosition(int position);
  // Removes `count` positions from `position` on (those that exist).
  void RemovePosition(int position, unsigned int count);
  // Grows with nulls or shrinks to `size` positions.
  void Size(int size) { _Items.resize(size > 0 ? static_cast<std::size_t>(size) : 0); }
  // Removes the first occurrence; returns its former position, 0 when absent.
  int RemoveValue(void* item);
  void RemoveAll() { _Items.clear(); }
  void* operator[](int position) const {
    return position >= 1 && position <= Size() ? _Items[position - 1] : nullptr;
  }
  void Set(int position, void* item) {
    if (position >= 1 && position <= Size()) _Items[position - 1] = item;
  }

 private:
  std::vector<void*> _Items;
};

// Typed view over NUVRawCollPV: NUVListPtr<NUVFrmWindow> is NUVListPtrNUVFrmWindow.
template <class T>
class NUVListPtr {
 public:
  int Size() const { return _Raw.Size(); }
  void Append(T* item) { _Raw.Append(item); }
  void InsertAt(int position, T* item) { _Raw.InsertAt(position, item); }
  int Locate(T* item, int from = 1) const { return _Raw.Locate(item, from); }
  void RemovePosition(int position) { _Raw.RemovePosition(position); }
  int RemoveValue(T* item) { return _Raw.RemoveValue(item); }
  void RemoveAll() { _Raw.RemoveAll(); }
  T* operator[](int position) const { return static_cast<T*>(_Raw[position]); }
  void Set(int position, T* item) { _Raw.Set(position, item); }
  NUVRawCollPV& Raw() { return _Raw; }
  const NUVRawCollPV& Raw() const { return _Raw; }

 private:
  NUVRawCollPV _Raw;
};

#endif
