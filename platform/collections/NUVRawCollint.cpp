#include "NUVRawCollint.h"

void NUVRawCollint::InsertAt(int position, int item) {
  if (position < 1 || position > Size() + 1) return;
  _Items.insert(_Items.begin() + (position - 1), item);
}

int NUVRawCollint::Locate(int item, int from) const {
  if (from < 1) from = 1;
  for (int i = from; i <= Size(); ++i) {
    if (_Items[i - 1] == item) return i;
  }
  return 0;
}

void NUVRawCollint::RemovePosition(int position) {
  if (position < 1 || position > Size()) return;
  _Items.erase(_Items.begin() + (position - 1));
}

int NUVRawCollint::RemoveValue(int item) {
  int position = Locate(item);
  if (position) RemovePosition(position);
  return position;
}
