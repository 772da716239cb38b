// NUVSockets: one end of a stream connection between processes or within
// one: TCP to any host, or, for a connection made within this process to a
// local connector (see NUVSocketConnector), an in-process link, which carries
// the same byte stream at a fraction of the cost: the bytes wait in the
// process and a kernel object tells the event loop that some are there (an
// eventfd counting them on Linux, an event object on Windows). An in-process link holds 65,536 bytes per direction;
// since no other thread could make room, its ends never wait: a send to a
// full link sends what fits (0 when nothing does), a receive from an empty
// one fails (-1) unless the peer closed (0).
//
//   NUVSockets reader(-1, nullptr);
//   reader.Connect(connector.GetPort(), nullptr);   // null host: this machine
//   if (reader.Wait(0) == 0) reader.BasicReceive(&byte, 1, 0);
//
// Wait(0) is a readiness test that does not block. When the event loop has
// just reported the descriptor readable in the current turn, it answers from
// that report without another system call.
//
// Threading: user-interface thread only.
#ifndef NUVSockets_h
#define NUVSockets_h

#include "VelloranPlatformExport.h"

class NUVSocketConnector;

class VPL_EXPORT NUVSockets {
 public:
  // Wraps an existing descriptor (-1: none yet). The connector, when given,
  // is the one that accepted this end; it is not owned.
  NUVSockets(int descriptor = -1, NUVSocketConnector* connector = nullptr);
  ~NUVSockets();
  NUVSockets(const NUVSockets&) = delete;
  NUVSockets& operator=(const NUVSockets&) = delete;

  // Connects to `port` on `host` (null: the loopback address). 0 on success,
  // -1 on failure.
  int Connect(int port, const char* host);
  // Sends `length` bytes; returns the count sent, -1 on failure. After
  // SetSendWithoutWaiting(true) (always, in-process) a send that finds the
  // channel full sends what fits and returns that count, 0 when nothing
  // fits, instead of waiting for the reader.
  int BasicSend(const void* buffer, int length);
  // Chooses whether BasicSend may wait for room in the channel (the default)
  // or never waits. 0 on success, -1 without a descriptor.
  int SetSendWithoutWaiting(bool on);
  // Receives up to `length` bytes; returns the count received, 0 when the
  // peer closed, -1 on failure. `flags` are those of recv (TCP only).
  int BasicReceive(void* buffer, int length, int flags);
  // 0 when data (or the peer's close) is ready within `milliseconds`, 1 on
  // time-out, -1 on error or without a descriptor.
  int Wait(int milliseconds);
  // The operating-system handle, -1 when there is none.
  int GetHandler() const { return _Descriptor; }
  // Closes the descriptor; the object can connect again afterwards.
  int Close();

  // An in-process pair of linked ends; used by local connectors.
  static bool MakeLocalPair(NUVSockets*& first, NUVSockets*& second);

 private:
  friend class NUVSocketConnector;
  NUVSockets(int receiveDescriptor, int sendDescriptor);

  int _Descriptor;      // read from, watched by the loop; the TCP socket
  int _SendDescriptor;  // written to: the same TCP socket, or the other pipe
  NUVSocketConnector* _pConnector;
  bool _SendWithoutWaiting;
  // The in-process connection this end belongs to (MakeLocalPair), shared
  // with the other end, and which end this is (0 or 1); null for TCP.
  struct LocalLink;
  LocalLink* _pLink;
  int _Side;
};

#endif
