// What NUVSockets and NUVSocketConnector do the same way on every system;
// the rest is in the per-OS sources.
#include "NUVSocketConnector.h"
#include "NUVSockets.h"

NUVSockets::NUVSockets(int descriptor, NUVSocketConnector* connector)
    : _Descriptor(descriptor),
      _SendDescriptor(descriptor),
      _pConnector(connector),
      _SendWithoutWaiting(false),
      _pLink(nullptr),
      _Side(0) {}

NUVSockets::NUVSockets(int receiveDescriptor, int sendDescriptor)
    : _Descriptor(receiveDescriptor),
      _SendDescriptor(sendDescriptor),
      _pConnector(nullptr),
      _SendWithoutWaiting(false),
      _pLink(nullptr),
      _Side(0) {}

NUVSockets::~NUVSockets() { Close(); }

NUVSocketConnector::NUVSocketConnector(int port, int backlog, int kind)
    : _Port(port), _Backlog(backlog > 0 ? backlog : 1), _Kind(kind), _Descriptor(-1) {}

NUVSocketConnector::~NUVSocketConnector() { Close(); }
