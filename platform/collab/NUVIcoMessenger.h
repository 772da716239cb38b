// NUVIcoMessenger: how the collaboration framework drives a messenger. The
// framework hands each message addressed to the messenger to
// ReceiveMessage, and starts, stops, suspends and resumes it with the
// review.
//
//   NUVIcoMessenger_var messenger(object);
//   if (!!messenger) messenger->ReceiveMessage(bytes, length, nullptr);
//
// Threading: user-interface thread only.
#ifndef NUVIcoMessenger_h
#define NUVIcoMessenger_h

#include "NUVBaseUnknown_var.h"

class NUVICollabUser;

class VPL_EXPORT NUVIcoMessenger : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  virtual const char* GetServiceName() = 0;
  // Whether the messenger takes messages addressed to every participant.
  virtual unsigned char AcceptsBroadcast() = 0;
  // One message as its sender wrote it; `iFrom` may be null.
  virtual long ReceiveMessage(const char* iBuffer, int iLength, NUVICollabUser* iFrom) = 0;
  // Brings the messenger up to date with the session it joined.
  virtual long Synchronize() = 0;
  virtual long Start() = 0;
  virtual long Stop() = 0;
  virtual void Suspend() = 0;
  virtual unsigned char Resume() = 0;
};

#define IID_NUVIcoMessenger (NUVIcoMessenger::ClassId())
typedef NUVVar<NUVIcoMessenger> NUVIcoMessenger_var;

#endif
