// NUVWeakBlock: shared between an object and its weak references. The object
// clears `object` when it is destroyed; the block lives until the object and
// every weak reference have let it go.
#ifndef NUVWeakBlock_h
#define NUVWeakBlock_h

#include "VelloranPlatformExport.h"

class NUVBaseUnknown;

struct VPL_EXPORT NUVWeakBlock {
  NUVBaseUnknown* object;
  long holders;  // the object itself while alive, plus each weak reference

  void Hold() { ++holders; }
  // Out of line: the deletion at zero is not the caller's business.
  void Drop();
};

#endif
