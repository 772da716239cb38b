// Stream sockets on Windows: not written yet. Every operation fails as it
// would without a network stack: no port is declared, no connection made,
// nothing sent or received. Until the Winsock implementation lands, a
// Windows host sets PLMSIM_MESSAGEQUEUE_TIMER so that the message queue
// wakes the loop with zero time-outs instead of a socket pair.
#include "NUVSocketConnector.h"
#include "NUVSockets.h"

bool NUVSockets::MakeLocalPair(NUVSockets*& first, NUVSockets*& second) {
  first = second = nullptr;
  return false;
}

int NUVSockets::Connect(int, const char*) { return -1; }
int NUVSockets::BasicSend(const void*, int) { return -1; }
int NUVSockets::BasicReceive(void*, int, int) { return -1; }
int NUVSockets::SetSendWithoutWaiting(bool on) {
  if (_SendDescriptor < 0) return -1;
  _SendWithoutWaiting = on;
  return 0;
}
int NUVSockets::Wait(int) { return -1; }

int NUVSockets::Close() {
  _Descriptor = _SendDescriptor = -1;
  _SendWithoutWaiting = false;
  return 0;
}

NUVSocketConnector* NUVSocketConnector::FindLocal(int) { return nullptr; }

void NUVSocketConnector::QueueLocalEnd(NUVSockets* end) { delete end; }

int NUVSocketConnector::Declare(const char*) { return -1; }

NUVSockets* NUVSocketConnector::Accept() { return nullptr; }

int NUVSocketConnector::Close() {
  for (NUVSockets* end : _LocalEnds) delete end;
  _LocalEnds.clear();
  _Descriptor = -1;
  return 0;
}
