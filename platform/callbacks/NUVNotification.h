// NUVNotification: base of the objects that travel with an event to its
// callbacks. Reference counted; a publisher may pass null instead.
#ifndef NUVNotification_h
#define NUVNotification_h

#include "NUVBaseUnknown.h"

class VPL_EXPORT NUVNotification : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
};

#endif
