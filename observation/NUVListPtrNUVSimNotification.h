// NUVListPtrNUVSimNotification: a list of simulation notification pointers
// with 1-based positions. It neither owns nor reference-counts the
// notifications (the coordinator takes the queue's references itself); its
// operations are those of NUVSimListPtr.
//
//   NUVListPtrNUVSimNotification pending;
//   pending.Append(notification);
//   NUVSimNotification* oldest = pending[1];
//
// Threading: user-interface thread only.
#ifndef NUVListPtrNUVSimNotification_h
#define NUVListPtrNUVSimNotification_h

#include "NUVSimListPtr.h"
#include "VelloranExport.h"

class NUVSimNotification;

class VELLORAN_EXPORT NUVListPtrNUVSimNotification
    : public NUVSimListPtr<NUVSimNotification, NUVListPtrNUVSimNotification> {
 public:
  using NUVSimListPtr::NUVSimListPtr;
  NUVListPtrNUVSimNotification(const NUVListPtrNUVSimNotification& other) = default;
  NUVListPtrNUVSimNotification& operator=(const NUVListPtrNUVSimNotification& other) = default;
  ~NUVListPtrNUVSimNotification() override = default;
};

#endif
