// NUVSimCoReviewNotification: a simulation notification that carries the
// simulated value shared in a collaborative review. The simulation raises it
// on the main application (event name: the class name) for the leader's
// messenger to send; a follower's messenger posts one with each value it
// receives to the master observation coordinator.
//
//   NUVSimCoReviewNotification n;
//   n.SetValue(NUVSimValue(int64_t(5), 1));
//   app->GetCallbackManager()->DispatchCallbacks(NUVSimCoReviewNotification::ClassName(), &n);
//
// Reference counted; may live on the stack for an immediate dispatch.
// Threading: user-interface thread only.
#ifndef NUVSimCoReviewNotification_h
#define NUVSimCoReviewNotification_h

#include "NUVSimNotification.h"

class VPL_EXPORT NUVSimCoReviewNotification : public NUVSimNotification {
  NUV_DECLARE_CLASS
 public:
  NUVSimCoReviewNotification();
  ~NUVSimCoReviewNotification() override;
};

#endif
