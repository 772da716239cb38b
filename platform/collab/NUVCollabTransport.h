// NUVCollabTransport: the socket a review session sends and receives its
// frames on (internal to the platform's collaboration framework). A leader
// publishes on an endpoint it binds; a follower subscribes on an endpoint it
// connects to. Built with ZeroMQ where the build found it
// (NUVCollabTransport_zmq.cpp), otherwise without a transport
// (NUVCollabTransport_none.cpp), where Open always fails with a message.
//
//   std::string error;
//   std::unique_ptr<NUVCollabTransport> t(NUVCollabTransport::Open(true, "tcp://127.0.0.1:*", error));
//   loop.AddFileDescriptor(t->Descriptor(), ...);   // then Receive() when readable
//
// Threading: user-interface thread only.
#ifndef NUVCollabTransport_h
#define NUVCollabTransport_h

#include <string>
#include <vector>

class NUVCollabTransport {
 public:
  virtual ~NUVCollabTransport() = default;

  // Whether this build has a transport at all.
  static bool Available();
  // A publisher bound to `endpoint` (lead) or a subscriber connected to it.
  // Null, with `oError` set, when the endpoint is refused.
  static NUVCollabTransport* Open(bool lead, const std::string& endpoint, std::string& oError);

  // Publishes one frame to every subscriber; false when the socket refused
  // it (the leader's socket never blocks).
  virtual bool Send(const std::string& frame) = 0;
  // The descriptor that becomes readable when Receive may have work.
  virtual int Descriptor() const = 0;
  // Takes everything the socket holds now: frames (follower) into `oFrames`,
  // and for a leader the change in subscribers into `oSubscriberDelta`.
  // Returns only once the socket reports nothing more to read, so that the
  // descriptor is due to signal again on the next arrival.
  virtual void Receive(std::vector<std::string>& oFrames, int& oSubscriberDelta) = 0;
  // The endpoint actually bound (a leader's wildcard port resolved).
  virtual std::string Endpoint() const = 0;
};

#endif
