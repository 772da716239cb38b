// NUVSocketConnector: the listening end of stream connections.
//
//   NUVSocketConnector connector(0, 10, 2);   // port 0: any free port
//   connector.Declare(nullptr);                // listen on the loopback address
//   NUVSockets* accepted = connector.Accept(); // caller owns it
//
// Construction values: the port (0 picks a free one when declared), the
// backlog of pending connections, and the kind: 1, a network connector; 2, a
// local connector. Both listen on TCP and accept connections from other
// processes. A local connector also takes connections made from this process
// to its port without TCP: Connect joins the two ends by an in-process link
// (see NUVSockets), and the next Accept returns the other end. A wake-up
// channel between two ends of one process thus costs a counter increment,
// the loop's wait and a counter decrement.
//
// Threading: user-interface thread only.
#ifndef NUVSocketConnector_h
#define NUVSocketConnector_h

#include <deque>

#include "VelloranPlatformExport.h"

class NUVSockets;

class VPL_EXPORT NUVSocketConnector {
 public:
  enum Kind { Network = 1, Local = 2 };
  NUVSocketConnector(int port = 0, int backlog = 10, int kind = Network);
  ~NUVSocketConnector();
  NUVSocketConnector(const NUVSocketConnector&) = delete;
  NUVSocketConnector& operator=(const NUVSocketConnector&) = delete;

  // Starts listening on `host` (null: the loopback address). 0 on success, -1
  // on failure.
  int Declare(const char* host);
  // The port listened on (the free port chosen when constructed with 0), 0
  // before Declare.
  int GetPort() const { return _Port; }
  // Waits for the next connection and returns its end, owned by the caller;
  // null on failure or before Declare.
  NUVSockets* Accept();
  int GetHandler() const { return _Descriptor; }
  int Close();

  // The local connector of this process listening on `port`, or null.
  static NUVSocketConnector* FindLocal(int port);
  // Queues the in-process end that the next Accept returns; takes ownership.
  void QueueLocalEnd(NUVSockets* end);

 private:
  int _Port;
  int _Backlog;
  int _Kind;
  int _Descriptor;
  std::deque<NUVSockets*> _LocalEnds;
};

#endif
