// Arbitrary bytes into a follower's receive path: the envelope, the
// session's delivery, the streamer and the messenger's decoding into the
// default context's coordinator. An input whose first byte is odd is sent
// as the payload of a well-formed frame, so that the streamer and the
// messenger see most inputs; otherwise it is the whole frame.
#include <cstddef>
#include <cstdint>
#include <string>

#include "NUVApplication.h"
#include "NUVCollabEnvelope.h"
#include "NUVCollabSessionManager.h"

namespace {

struct Review {
  NUVApplication app{"fuzz"};
  NUVCollabSessionManager session;
  // A frame may end the review: join again.
  void Join() {
    if (session.IsReviewRunning()) return;
    session.StartReview(NUVCollabSessionManager::Follower, "ipc:///nonexistent/velloran-fuzz",
                        "fuzz");
    session.AddMessenger("NUVECoMessengerForSimEngine");
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Review* review = new Review;
  review->Join();
  const char* bytes = reinterpret_cast<const char*>(data);
  std::string frame;
  if (size > 0 && (data[0] & 1) &&
      NUVCollabEnvelope::Build(NUVCollabEnvelope::Data, "fuzz", "NUVECoMessengerForSimEngine",
                               bytes + 1, static_cast<int>(size - 1), frame)) {
    review->session.DeliverFrame(frame.data(), static_cast<int>(frame.size()));
  } else {
    review->session.DeliverFrame(bytes, static_cast<int>(size));
  }
  return 0;
}
