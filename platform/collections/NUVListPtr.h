// NUVListPtr<T>: a typed view over NUVRawCollPV, so that
// NUVListPtr<NUVFrmWindow> is the list NUVListPtrNUVFrmWindow. Like the raw
// list it neither owns nor reference-counts its elements; positions start
// at 1.
//
//   NUVListPtr<NUVFrmWindow> windows;
//   windows.Append(window);
//   NUVFrmWindow* first = windows[1];
//
// Threading: user-interface thread only.
#ifndef NUVListPtr_h
#define NUVListPtr_h

#include "NUVRawCollPV.h"

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
