// NUVcoMessengerAdapter: base of the messengers of the collaboration
// framework. It owns a messenger's connection to its review session: the
// streamer that encodes and decodes its messages (GetAStreamer), sending
// (SendMessageW), the state of its incoming and outgoing channels, and
// suspension (Suspend queues what is sent and drops what arrives; Resume
// sends the queue with Flush). A session (NUVCollabSessionManager) joins the
// messenger, opens its channels for the session's role and hands it the
// messages addressed to its name while the incoming channel is open.
//
//   class MyMessenger : public NUVcoMessengerAdapter { ... };
//   messenger->SetOutChanelState(NUVcoMessengerAdapter::ChanelOpen);
//   messenger->SendMessageW(bytes, length, nullptr);   // to every participant
//
// Reference counted. Threading: user-interface thread only.
#ifndef NUVcoMessengerAdapter_h
#define NUVcoMessengerAdapter_h

#include <string>
#include <vector>

#include "NUVBaseUnknown.h"
#include "NUVUnicodeString.h"

class NUVBBStreamer;
class NUVCollabSessionManager;
class NUVIBBStreamer;
class NUVICollabUser;

class VPL_EXPORT NUVcoMessengerAdapter : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Only ChanelOpen lets messages through.
  enum ChanelState { ChanelClosed = 0, ChanelOpen = 1, ChanelSuspended = 2 };
  // Messages a suspended messenger keeps for Resume; later ones are refused.
  static const int kMaxQueuedMessages = 1024;

  NUVcoMessengerAdapter();
  ~NUVcoMessengerAdapter() override;

  // Called by the session once the messenger joined it. S_OK.
  virtual long Initialize();
  // The name messages are addressed to; the class name by default.
  virtual NUVUnicodeString GetMessengerName();
  // A message by sender and service; the adapter handles none (S_FALSE).
  virtual long HandleMessage(const NUVUnicodeString& iFrom, const NUVUnicodeString& iService,
                             const char* iBuffer, int iLength);
  // 0 by default: the order in which a session serves its messengers.
  virtual long GetPriority(int& oPriority);
  virtual const char* GetServiceName();
  // Whether the messenger takes messages addressed to every participant; no
  // by default.
  virtual unsigned char AcceptsBroadcast();
  // Brings a messenger that joined late up to date; nothing to do here.
  virtual long Synchronize();
  // Start and stop whatever produces the messenger's messages; nothing here.
  virtual long StartListening();
  virtual long StopListening();
  // Sends `iLength` bytes to `iTo`, or to every participant when null (the
  // only form the transport offers: a user gives E_FAIL). E_INVALIDARG for
  // an empty buffer; E_FAIL when the outgoing channel is not open, there is
  // no session or the session could not send; S_FALSE when suspended (the
  // message waits for Resume).
  virtual long SendMessageW(const char* iBuffer, int iLength, NUVICollabUser* iTo);
  virtual long SetInChanelState(ChanelState iState);
  virtual long SetOutChanelState(ChanelState iState);
  virtual void Suspend();
  // Ends a suspension and sends what waited; 1 when it was suspended.
  virtual unsigned char Resume();

 protected:
  // Sends the messages queued during a suspension. S_OK, or E_FAIL when one
  // could not be sent (the rest are dropped with it).
  virtual long Flush();

 public:
  // The messenger's streamer, owned by the adapter; null only when it
  // could not be allocated.
  NUVIBBStreamer* GetAStreamer();
  ChanelState GetInChanelState() const { return _InState; }
  ChanelState GetOutChanelState() const { return _OutState; }
  unsigned char IsSuspended() const { return _Suspended; }
  // Whether a message arriving now is handed to the messenger.
  unsigned char IsReceiving() const { return _InState == ChanelOpen && !_Suspended; }

  // The session the messenger belongs to (null: none); set by the session.
  void JoinSession(NUVCollabSessionManager* iSession) { _pSession = iSession; }
  NUVCollabSessionManager* GetSession() const { return _pSession; }

 private:
  NUVBBStreamer* _pStreamer;  // one reference, created on first use
  NUVCollabSessionManager* _pSession;
  ChanelState _InState;
  ChanelState _OutState;
  unsigned char _Suspended;
  std::vector<std::string> _Queued;
};

#endif
