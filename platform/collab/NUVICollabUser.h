// NUVICollabUser: one participant of a collaborative review, as the
// collaboration framework names it to messengers. A messenger that sends with
// a null user addresses every participant.
//
//   NUVICollabUser_var user(participant);
//   if (!!user) printf("%s\n", user->GetUserId());
//
// Threading: user-interface thread only.
#ifndef NUVICollabUser_h
#define NUVICollabUser_h

#include "NUVBaseUnknown_var.h"

class VPL_EXPORT NUVICollabUser : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // The participant's identifier within its session, never null.
  virtual const char* GetUserId() const = 0;
};

#define IID_NUVICollabUser (NUVICollabUser::ClassId())
typedef NUVVar<NUVICollabUser> NUVICollabUser_var;

#endif
