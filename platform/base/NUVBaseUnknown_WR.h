// NUVBaseUnknown_WR: a weak reference. It does not keep its object alive and
// yields a null handle once the object is gone.
//
//   NUVBaseUnknown_WR weak(message);
//   NUVBaseUnknown_var strong = weak.Get();   // null after destruction
//
// Threading: user-interface thread only.
#ifndef NUVBaseUnknown_WR_h
#define NUVBaseUnknown_WR_h

#include "NUVBaseUnknown_var.h"
#include "NUVWeakBlock.h"

class NUVBaseUnknown_WR {
 public:
  NUVBaseUnknown_WR() : _pBlock(nullptr) {}
  explicit NUVBaseUnknown_WR(NUVBaseUnknown* object)
      : _pBlock(object ? object->GetWeakBlock() : nullptr) {
    if (_pBlock) _pBlock->Hold();
  }
  NUVBaseUnknown_WR(const NUVBaseUnknown_WR& other) : _pBlock(other._pBlock) {
    if (_pBlock) _pBlock->Hold();
  }
  NUVBaseUnknown_WR& operator=(const NUVBaseUnknown_WR& other) {
    if (other._pBlock) other._pBlock->Hold();
    if (_pBlock) _pBlock->Drop();
    _pBlock = other._pBlock;
    return *this;
  }
  ~NUVBaseUnknown_WR() {
    if (_pBlock) _pBlock->Drop();
  }

  // A strong handle on the object, or null when it has been destroyed.
  NUVBaseUnknown_var Get() const {
    return NUVBaseUnknown_var(_pBlock ? _pBlock->object : nullptr);
  }
  bool IsAlive() const { return _pBlock && _pBlock->object; }

 private:
  NUVWeakBlock* _pBlock;
};

#endif
