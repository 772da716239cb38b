// NUVListValVar<I>: a list of interface handles with 1-based positions; each
// element holds one reference. Two handles are equal when they lead to the
// same implementation object (so an object and its TIE match), or are both
// null.
//
//   NUVListValNUVISimAgentKeyFrame_var agents;   // NUVListValVar<NUVISimAgentKeyFrame>
//   agents.Append(agent); int at = agents.Locate(agent);
//
// Positions outside 1..Size() read as a null handle and are ignored by
// removals and Set. Threading: user-interface thread only.
#ifndef NUVListValVar_h
#define NUVListValVar_h

#include <vector>

#include "NUVVar.h"

template <class I>
class NUVListValVar {
 public:
  typedef NUVVar<I> Handle;

  int Size() const { return static_cast<int>(_Items.size()); }
  void Append(const Handle& item) { _Items.push_back(item); }
  void InsertAt(int position, const Handle& item) {
    if (position < 1 || position > Size() + 1) return;
    _Items.insert(_Items.begin() + (position - 1), item);
  }
  // Position of the first equal handle at or after `from`, 0 when absent.
  int Locate(const Handle& item, int from = 1) const {
    if (from < 1) from = 1;
    for (int i = from; i <= Size(); ++i) {
      if (Same(_Items[i - 1].get(), item.get())) return i;
    }
    return 0;
  }
  void RemovePosition(int position) {
    if (position < 1 || position > Size()) return;
    _Items.erase(_Items.begin() + (position - 1));
  }
  // Removes the first equal handle; returns its former position, 0 when absent.
  int RemoveValue(const Handle& item) {
    int position = Locate(item);
    if (position) RemovePosition(position);
    return position;
  }
  void RemoveAll() { _Items.clear(); }
  Handle operator[](int position) const {
    return position >= 1 && position <= Size() ? _Items[position - 1] : Handle();
  }
  void Set(int position, const Handle& item) {
    if (position >= 1 && position <= Size()) _Items[position - 1] = item;
  }

  static bool Same(I* a, I* b) {
    if (a == b) return true;
    if (!a || !b) return false;
    return a->GetImpl() == b->GetImpl();
  }

 private:
  std::vector<Handle> _Items;
};

#endif
