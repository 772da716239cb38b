// NUVSocketConnector: the listening end of stream connections.
//
//   NUVSocketConnector connector(0, 10, 2);   // port 0: any free port
//   connector.Declare(nullptr);                // listen on the loopback address
//   NUVSockets* accepted = connector.Accept(); // caller owns it
//
// Construction values: the port (0 picks a free one when declared), the
// backlog of pending connections, and the address family (2, AF_INET: IPv4).
//
// Threading: user-interface thread only.
#ifndef NUVSocketConnector_h
#define NUVSocketConnector_h

#include "VelloranPlatformExport.h"

class NUVSockets;

class VPL_EXPORT NUVSocketConnector {
 public:
  NUVSocketConnector(int port = 0, int backlog = 10, int family = 2);
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

 private:
  int _Port;
  int _Backlog;
  int _Family;
  int _Descriptor;
};

#endif
