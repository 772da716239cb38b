// NUVCollabCoreviewEndNotif: published on the collaboration framework's
// application bus (NUVCollabSessionManager::GetApplicationBus) when a review
// ends, here or because its leader ended it; the event name is the class
// name. Messengers stop their work on it.
//
//   AddCallback(me, NUVCollabSessionManager::GetApplicationBus(),
//               NUVCollabCoreviewEndNotif::ClassName(), NUVSubscriberMethodCast(&Me::OnEnd), nullptr);
//
// Threading: user-interface thread only.
#ifndef NUVCollabCoreviewEndNotif_h
#define NUVCollabCoreviewEndNotif_h

#include "NUVNotification.h"

class VPL_EXPORT NUVCollabCoreviewEndNotif : public NUVNotification {
  NUV_DECLARE_CLASS
 public:
  // 1 when the leader's end-of-review message ended it, 0 when it was ended
  // in this instance.
  explicit NUVCollabCoreviewEndNotif(unsigned char iEndedByLeader = 0)
      : _EndedByLeader(iEndedByLeader) {}
  unsigned char EndedByLeader() const { return _EndedByLeader; }

 private:
  unsigned char _EndedByLeader;
};

#endif
