#include "NUVRawCollPV.h"

void NUVRawCollPV::InsertAt(int position, void* item) {
  if (position < 1 || position > Size() + 1) return;
  _Items.insert(_Items.begin() + (position - 1), item);
}

int NUVRawCollPV::Locate(void* item, int from) const {
  if (from < 1) from = 1;
  for (int i = from; i <= Size(); ++i) {
    if (_Items[i - 1] == item) return i;
  }
  return 0;
}

void NUVRawCollPV::RemovePosition(int position) {
  if (position < 1 || position > Size()) return;
  _Items.erase(_Items.begin() + (position - 1));
}

int NUVRawCollPV::RemoveValue(void* item) {
  int position = Locate(item);
  if (position) RemovePosition(position);
  return position;
}

void NUVRawCollPV::RemovePosition(int position, unsigned int count) {
  if (position < 1 || position > Size() || count == 0) return;
  std::size_t first = static_cast<std::size_t>(position - 1);
  std::size_t last = first + count < _Items.size() ? first + count : _Items.size();
  _Items.erase(_Items.begin() + first, _Items.begin() + last);
}
