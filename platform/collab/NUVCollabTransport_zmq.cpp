// The collaboration transport over ZeroMQ: XPUB for a leader (so that it
// sees its followers subscribe), SUB for a follower. Each transport has a
// context of its own, ended when the transport goes.
#include <zmq.h>

#include <cerrno>
#include <cstring>

#include "NUVCollabTransport.h"

namespace {

// A leader's last frame (the end of the review) must still leave when the
// socket is closed right after it; a follower has nothing to hand over.
const int kLeaderLingerMs = 2000;

class ZmqTransport : public NUVCollabTransport {
 public:
  ZmqTransport(void* context, void* socket, bool lead)
      : _pContext(context), _pSocket(socket), _Lead(lead) {}
  ~ZmqTransport() override {
    zmq_close(_pSocket);
    zmq_ctx_term(_pContext);
  }

  bool Send(const std::string& frame) override {
    return zmq_send(_pSocket, frame.data(), frame.size(), ZMQ_DONTWAIT) >= 0;
  }

  int Descriptor() const override {
    int fd = -1;
    size_t size = sizeof fd;
    return zmq_getsockopt(_pSocket, ZMQ_FD, &fd, &size) == 0 ? fd : -1;
  }

  void Receive(std::vector<std::string>& oFrames, int& oSubscriberDelta) override {
    // ZMQ_FD only signals a change of state: drain until ZMQ_EVENTS reports
    // no more input, or the next message would never wake the loop.
    for (;;) {
      int events = 0;
      size_t size = sizeof events;
      if (zmq_getsockopt(_pSocket, ZMQ_EVENTS, &events, &size) != 0) return;
      if (!(events & ZMQ_POLLIN)) return;
      zmq_msg_t message;
      zmq_msg_init(&message);
      if (zmq_msg_recv(&message, _pSocket, ZMQ_DONTWAIT) < 0) {
        zmq_msg_close(&message);
        if (errno == EAGAIN || errno == EINTR) continue;
        return;
      }
      const char* data = static_cast<const char*>(zmq_msg_data(&message));
      const size_t length = zmq_msg_size(&message);
      if (_Lead) {
        // XPUB hands up subscriptions: first byte 1 subscribe, 0 unsubscribe.
        if (length >= 1) oSubscriberDelta += data[0] == 1 ? 1 : (data[0] == 0 ? -1 : 0);
      } else {
        oFrames.emplace_back(data, length);
      }
      zmq_msg_close(&message);
    }
  }

  std::string Endpoint() const override {
    char buffer[512] = {0};
    size_t size = sizeof buffer;
    if (zmq_getsockopt(_pSocket, ZMQ_LAST_ENDPOINT, buffer, &size) != 0) return std::string();
    return std::string(buffer);
  }

 private:
  void* _pContext;
  void* _pSocket;
  bool _Lead;
};

bool EndpointAccepted(const std::string& endpoint) {
  return (endpoint.rfind("tcp://", 0) == 0 && endpoint.size() > 6) ||
         (endpoint.rfind("ipc://", 0) == 0 && endpoint.size() > 6);
}

}  // namespace

bool NUVCollabTransport::Available() { return true; }

NUVCollabTransport* NUVCollabTransport::Open(bool lead, const std::string& endpoint,
                                             std::string& oError) {
  if (!EndpointAccepted(endpoint)) {
    oError = "the endpoint must be tcp://HOST:PORT or ipc://PATH, not '" + endpoint + "'";
    return nullptr;
  }
  void* context = zmq_ctx_new();
  if (!context) {
    oError = std::string("cannot start ZeroMQ: ") + zmq_strerror(errno);
    return nullptr;
  }
  void* socket = zmq_socket(context, lead ? ZMQ_XPUB : ZMQ_SUB);
  int ok = socket ? 0 : -1;
  if (ok == 0) {
    const int linger = lead ? kLeaderLingerMs : 0;
    ok = zmq_setsockopt(socket, ZMQ_LINGER, &linger, sizeof linger);
  }
  if (ok == 0 && lead) {
    // Every follower's subscription reaches the leader, not only the first.
    const int verbose = 1;
    ok = zmq_setsockopt(socket, ZMQ_XPUB_VERBOSE, &verbose, sizeof verbose);
  }
  if (ok == 0 && !lead) ok = zmq_setsockopt(socket, ZMQ_SUBSCRIBE, "", 0);
  if (ok == 0) {
    ok = lead ? zmq_bind(socket, endpoint.c_str()) : zmq_connect(socket, endpoint.c_str());
  }
  if (ok != 0) {
    oError = std::string(lead ? "cannot lead on " : "cannot follow on ") + endpoint + ": " +
             zmq_strerror(errno);
    if (socket) zmq_close(socket);
    zmq_ctx_term(context);
    return nullptr;
  }
  return new ZmqTransport(context, socket, lead);
}
