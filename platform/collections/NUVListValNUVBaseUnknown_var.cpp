#include "NUVListValNUVBaseUnknown_var.h"

void NUVListValNUVBaseUnknown_var::InsertAt(int position, const NUVBaseUnknown_var& item) {
  if (position < 1 || position > Size() + 1) return;
  _Items.insert(_Items.begin() + (position - 1), item);
}

int NUVListValNUVBaseUnknown_var::Locate(const NUVBaseUnknown_var& item, int from) const {
  if (from < 1) from = 1;
  for (int i = from; i <= Size(); ++i) {
    if (_Items[i - 1].get() == item.get()) return i;
  }
  return 0;
}

void NUVListValNUVBaseUnknown_var::RemovePosition(int position) {
  if (position < 1 || position > Size()) return;
  _Items.erase(_Items.begin() + (position - 1));
}

int NUVListValNUVBaseUnknown_var::RemoveValue(const NUVBaseUnknown_var& item) {
  int position = Locate(item);
  if (position) RemovePosition(position);
  return position;
}

NUVBaseUnknown_var NUVListValNUVBaseUnknown_var::operator[](int position) const {
  if (position < 1 || position > Size()) return NUVBaseUnknown_var();
  return _Items[position - 1];
}

void NUVListValNUVBaseUnknown_var::Set(int position, const NUVBaseUnknown_var& item) {
  if (position >= 1 && position <= Size()) _Items[position - 1] = item;
}
