#include "NUVRawCollPV.h"

void NUVRawCollPV::InsertAt(int position, void* item) {
  if (position < 1 || position > Size() + 1) return;
  _Items.insert(_Items.begin() + static_cast<std::ptrdiff_t>(_Head + position - 1), item);
}

int NUVRawCollPV::Locate(void* item, int from) const {
  if (from < 1) from = 1;
  for (int i = from; i <= Size(); ++i) {
    if (_Items[_Head + i - 1] == item) return i;
  }
  return 0;
}

void NUVRawCollPV::Compact() {
  if (_Head == _Items.size()) {
    RemoveAll();
  } else if (_Head >= 64 && _Head * 2 >= _Items.size()) {
    _Items.erase(_Items.begin(), _Items.begin() + static_cast<std::ptrdiff_t>(_Head));
    _Head = 0;
  }
}

void NUVRawCollPV::RemovePosition(int position) {
  if (position < 1 || position > Size()) return;
  if (position == 1) {
    ++_Head;
    Compact();
    return;
  }
  _Items.erase(_Items.begin() + static_cast<std::ptrdiff_t>(_Head + position - 1));
}

int NUVRawCollPV::RemoveValue(void* item) {
  int position = Locate(item);
  if (position) RemovePosition(position);
  return position;
}

void NUVRawCollPV::RemovePosition(int position, unsigned int count) {
  if (position < 1 || position > Size() || count == 0) return;
  std::size_t first = _Head + static_cast<std::size_t>(position - 1);
  std::size_t last = first + count < _Items.size() ? first + count : _Items.size();
  if (first == _Head) {
    _Head = last;
    Compact();
    return;
  }
  _Items.erase(_Items.begin() + static_cast<std::ptrdiff_t>(first),
               _Items.begin() + static_cast<std::ptrdiff_t>(last));
}

void NUVRawCollPV::Size(int size) {
  _Items.resize(_Head + (size > 0 ? static_cast<std::size_t>(size) : 0));
  Compact();
}
