// NUVListValNUVBaseUnknown_var: a list of object handles with 1-based
// positions; each element holds one reference. Locate compares objects by
// identity.
// Threading: user-interface thread only.
#ifndef NUVListValNUVBaseUnknown_var_h
#define NUVListValNUVBaseUnknown_var_h

#include <vector>

#include "NUVBaseUnknown_var.h"
#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVListValNUVBaseUnknown_var {
 public:
  int Size() const { return static_cast<int>(_Items.size()); }
  void Append(const NUVBaseUnknown_var& item) { _Items.push_back(item); }
  void InsertAt(int position, const NUVBaseUnknown_var& item);
  int Locate(const NUVBaseUnknown_var& item, int from = 1) const;
  void RemovePosition(int position);
  int RemoveValue(const NUVBaseUnknown_var& item);
  void RemoveAll() { _Items.clear(); }
  // Outside 1..Size() reads a null handle.
  NUVBaseUnknown_var operator[](int position) const;
  void Set(int position, const NUVBaseUnknown_var& item);

 private:
  std::vector<NUVBaseUnknown_var> _Items;
};

#endif
