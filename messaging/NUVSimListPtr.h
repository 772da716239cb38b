// NUVSimListPtr<T, List>: the typed face of NUVRawCollPV that the library's
// pointer lists share (NUVListPtrNUVSimMessage, NUVListPtrNUVSimNotification).
// Positions start at 1, elements are plain pointers, nothing is owned or
// reference counted. `List` is the concrete list class, so that operations
// taking or filling another list take that class.
//
//   class NUVListPtrNUVSimMessage
//       : public NUVSimListPtr<NUVSimMessage, NUVListPtrNUVSimMessage> { ... };
//   list[2] = message;                 // positions outside 1..Size() ignore it
//
// Every operation costs at most linear time in the lists involved, except
// QuickSort (n log n). Threading: user-interface thread only.
#ifndef NUVSimListPtr_h
#define NUVSimListPtr_h

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "NUVCollec.h"
#include "NUVRawCollPV.h"

template <class T, class List>
class NUVSimListPtr : public NUVRawCollPV {
 public:
  // A writable position: reads as the element, takes an assignment.
  class Slot {
   public:
    Slot(NUVRawCollPV& raw, int position) : _raw(raw), _position(position) {}
    Slot& operator=(T* item) {
      _raw.Set(_position, item);
      return *this;
    }
    Slot& operator=(const Slot& other) { return *this = static_cast<T*>(other); }
    operator T*() const { return static_cast<T*>(_raw.NUVRawCollPV::operator[](_position)); }
    T* operator->() const { return *this; }

   private:
    NUVRawCollPV& _raw;
    int _position;
  };

  explicit NUVSimListPtr(int reserve = 0) : NUVRawCollPV(reserve) {}
  NUVSimListPtr(T** items, int count) : NUVRawCollPV(count) {
    for (int i = 0; items && i < count; ++i) NUVRawCollPV::Append(items[i]);
  }
  NUVSimListPtr(const NUVSimListPtr& other) = default;
  NUVSimListPtr& operator=(const NUVSimListPtr& other) {
    if (this != &other) NUVRawCollPV::operator=(other);
    return *this;
  }
  virtual ~NUVSimListPtr() = default;

  using NUVRawCollPV::Size;
  using NUVRawCollPV::RemovePosition;

  void Append(T* item) { NUVRawCollPV::Append(item); }
  void Append(const List& other) {
    const int n = other.Size();  // appending a list to itself doubles it
    for (int i = 1; i <= n; ++i) NUVRawCollPV::Append(other[i]);
  }
  void InsertAt(int position, T* item) { NUVRawCollPV::InsertAt(position, item); }

  T* operator[](int position) const {
    return static_cast<T*>(NUVRawCollPV::operator[](position));
  }
  Slot operator[](int position) { return Slot(*this, position); }

  int Locate(T* item, int from = 1) const { return NUVRawCollPV::Locate(item, from); }
  int RemoveValue(T* item) { return NUVRawCollPV::RemoveValue(item); }
  int NbOccur(T* item) const {
    int count = 0;
    for (int i = 1; i <= Size(); ++i) count += Get(i) == item;
    return count;
  }

  // Removes one occurrence of each element of `other` (as many as it holds);
  // returns how many were removed.
  int Remove(const List& other) {
    std::unordered_map<T*, int> wanted;
    for (int i = 1; i <= other.Size(); ++i) ++wanted[other[i]];
    return Keep([&](T* item) {
      auto it = wanted.find(item);
      if (it == wanted.end() || it->second == 0) return true;
      --it->second;
      return false;
    });
  }
  // Returns how many nulls were removed.
  int RemoveNulls() {
    return Keep([](T* item) { return item != nullptr; });
  }
  // Keeps the first occurrence of each element; the later ones are removed
  // and appended to `oRemoved` when given. Returns how many were removed.
  int RemoveDuplicates(List* oRemoved = nullptr) {
    std::unordered_set<T*> seen;
    return Keep([&](T* item) {
      if (seen.insert(item).second) return true;
      if (oRemoved) oRemoved->Append(item);
      return false;
    });
  }
  // KeepMemory leaves the storage reserved; ReleaseMemory gives it back.
  void RemoveAll(NUVCollec::MemoryHandling iHandling = NUVCollec::ReleaseMemory) {
    if (iHandling == NUVCollec::KeepMemory) {
      NUVRawCollPV::RemoveAll();
    } else {
      NUVRawCollPV::operator=(NUVRawCollPV());
    }
  }

  // Positions outside 1..Size() are ignored.
  void Swap(int a, int b) {
    if (a < 1 || b < 1 || a > Size() || b > Size()) return;
    T* first = Get(a);
    Set(a, Get(b));
    Set(b, first);
  }
  // Ascending order by `compare` (negative: first before second); the order
  // of equal elements is not kept.
  void QuickSort(int (*compare)(T*, T*)) {
    if (!compare) return;
    std::vector<T*> items = Items();
    std::sort(items.begin(), items.end(), [compare](T* a, T* b) { return compare(a, b) < 0; });
    for (int i = 1; i <= Size(); ++i) Set(i, items[i - 1]);
  }
  // Copies the first `count` elements (fewer when the list is shorter) into
  // `oItems`; returns how many were copied.
  int FillArray(T** oItems, int count) const {
    if (!oItems) return 0;
    const int n = std::min(count, Size());
    for (int i = 1; i <= n; ++i) oItems[i - 1] = Get(i);
    return n > 0 ? n : 0;
  }

  // Same size and the same pointer at every position.
  bool operator!=(const NUVSimListPtr& other) const {
    if (Size() != other.Size()) return true;
    for (int i = 1; i <= Size(); ++i)
      if (Get(i) != other.Get(i)) return true;
    return false;
  }
  bool operator==(const NUVSimListPtr& other) const { return !(*this != other); }

  // Fills `oResult` (emptied first) with the elements of `a` that `b` holds,
  // in the order of `a`; returns their count.
  static int Intersection(const List& a, const List& b, List& oResult) {
    std::unordered_set<T*> inB;
    for (int i = 1; i <= b.Size(); ++i) inB.insert(b[i]);
    std::vector<T*> kept;
    for (int i = 1; i <= a.Size(); ++i)
      if (inB.count(a[i])) kept.push_back(a[i]);
    oResult.RemoveAll(NUVCollec::KeepMemory);
    for (T* item : kept) oResult.Append(item);
    return static_cast<int>(kept.size());
  }
  // Position by position with `compare`: the first non-zero answer, else the
  // shorter list first (-1 / 1), else 0.
  static int Compare(const List& a, const List& b, int (*compare)(T*, T*)) {
    const int n = std::min(a.Size(), b.Size());
    for (int i = 1; compare && i <= n; ++i) {
      int c = compare(a[i], b[i]);
      if (c != 0) return c;
    }
    return a.Size() < b.Size() ? -1 : a.Size() > b.Size() ? 1 : 0;
  }

 private:
  T* Get(int position) const { return static_cast<T*>(NUVRawCollPV::operator[](position)); }
  std::vector<T*> Items() const {
    std::vector<T*> items;
    items.reserve(static_cast<size_t>(Size()));
    for (int i = 1; i <= Size(); ++i) items.push_back(Get(i));
    return items;
  }
  // Keeps, in order, the elements `keep` accepts; returns how many went.
  template <class Predicate>
  int Keep(Predicate keep) {
    const int n = Size();
    int kept = 0;
    for (int i = 1; i <= n; ++i) {
      T* item = Get(i);
      if (keep(item)) Set(++kept, item);
    }
    NUVRawCollPV::Size(kept);
    return n - kept;
  }
};

#endif
