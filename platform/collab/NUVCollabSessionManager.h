// NUVCollabSessionManager: one collaborative review as this instance takes
// part in it, and the framework's application bus.
//
// A session leads (publishes on an endpoint it binds) or follows (subscribes
// on an endpoint it connects to) a review named by a session identifier.
// Its transport's descriptor is watched by the main application's event
// loop, so received messages are handled in loop turns like any input. Each
// frame carries the session identifier (NUVCollabEnvelope): frames of
// another session are dropped. Messengers join through AddMessenger, which
// builds them by name through their creation extension and opens the
// channel the role needs; received messages go to the messenger they are
// addressed to. Ending the review (EndReview, or a leader's end-of-review
// message reaching a follower) publishes NUVCollabCoreviewEndNotif on the
// application bus, closes the messengers' channels and releases them.
//
//   NUVCollabSessionManager session;
//   if (session.StartReview(NUVCollabSessionManager::Follower, "tcp://127.0.0.1:5570", "demo") < 0)
//     puts(session.LastError());
//   session.AddMessenger("NUVECoMessengerForSimEngine");
//   app.Run();                      // messages arrive as loop turns
//
// Do not destroy a session from inside one of its callbacks. Threading:
// user-interface thread only.
#ifndef NUVCollabSessionManager_h
#define NUVCollabSessionManager_h

#include <memory>
#include <string>
#include <vector>

#include "NUVBaseUnknown.h"

class NUVApplication;
class NUVCollabTransport;
class NUVCommand;
class NUVEventSubscriber;
class NUVcoMessengerAdapter;

class VPL_EXPORT NUVCollabSessionManager {
 public:
  enum Role { None = 0, Leader = 1, Follower = 2 };

  NUVCollabSessionManager();
  // Ends a running review first (EndReview).
  ~NUVCollabSessionManager();
  NUVCollabSessionManager(const NUVCollabSessionManager&) = delete;
  NUVCollabSessionManager& operator=(const NUVCollabSessionManager&) = delete;

  // The bus on which NUVCollabCoreviewEndNotif is published; lives as long as
  // the process.
  static NUVEventSubscriber* GetApplicationBus();
  // Whether this build can review at all (false without ZeroMQ).
  static bool HasTransport();
  // Releases every messenger, in every session, whose class was declared by
  // `library`: a library about to be unloaded leaves none of its objects
  // behind.
  static void ReleaseMessengersOf(const char* library);

  // Starts the review. S_OK; E_INVALIDARG for a session identifier that is
  // empty or too long, or a refused endpoint; E_FAIL when the build has no
  // transport or there is no application loop; E_UNEXPECTED when a review
  // runs already. LastError() says why.
  long StartReview(Role iRole, const char* iEndpoint, const char* iSessionId);
  // Builds the messenger registered as `iMessengerType` (through
  // "<type>_CreateExt" and NUVICreateInstance), joins it and opens its
  // channel: outgoing for a leader (then starts it), incoming for a
  // follower. S_OK; E_UNEXPECTED without a running review; E_FAIL when the
  // type is unknown or builds no messenger.
  long AddMessenger(const char* iMessengerType);
  // Ends the review: a leader tells its followers first. S_FALSE when no
  // review runs.
  long EndReview();

  int IsReviewRunning() const { return _Running; }
  Role GetRole() const { return _Role; }
  const char* LastError() const { return _LastError.c_str(); }
  // The endpoint bound or connected to (a leader's wildcard port resolved).
  const std::string& Endpoint() const { return _Endpoint; }
  // Leader: followers subscribed now.
  int FollowerCount() const { return _Followers; }
  // Follower: whether the last review was ended by its leader.
  int EndedByLeader() const { return _EndedByLeader; }
  // Frames dropped as malformed or from another session.
  int DroppedFrames() const { return _Dropped; }
  int CountMessengers() const { return static_cast<int>(_Messengers.size()); }

  // The receive path for one frame as it arrived. Returns how many
  // messengers it reached (an end-of-review frame counts as 1).
  int DeliverFrame(const char* iFrame, int iLength);
  // Leader: publishes a messenger's message. S_OK or E_FAIL.
  long Send(const std::string& iMessengerName, const char* iBuffer, int iLength);
  // Called by a messenger that is destroyed while joined.
  void ForgetMessenger(NUVcoMessengerAdapter* iMessenger);

 private:
  static void OnReadable(NUVCommand* command, int descriptor, void* data);
  void Pump();
  void Close(unsigned char endedByLeader);

  Role _Role;
  int _Running;
  std::string _SessionId;
  std::string _Endpoint;
  std::string _LastError;
  std::unique_ptr<NUVCollabTransport> _pTransport;
  NUVApplication* _pApplication;  // whose loop watches the transport
  NUVCommand* _pCommand;          // one reference; owns the loop registration
  std::vector<NUVcoMessengerAdapter*> _Messengers;  // one reference each
  int _Followers;
  int _EndedByLeader;
  int _Dropped;
  int _SendsSincePump;
};

#endif
