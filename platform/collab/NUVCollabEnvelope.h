// NUVCollabEnvelope: the frame one review message travels in between
// instances. It names the session, so that an instance delivers only what
// its own session sent, and the messenger the payload is for.
//
// Layout of a frame (all lengths in bytes):
//   0-3   magic "NUVC"
//   4     kind: 'D' a messenger's message, 'E' the end of the review
//   5     session identifier length s, 1 to kMaxSessionIdBytes
//   then  the s bytes of the session identifier
//   then  messenger name length m (0 for an end), up to kMaxNameBytes
//   then  the m bytes of the messenger name
//   then  the payload: the rest of the frame, 1 to kMaxPayloadBytes bytes
//         for 'D', none for 'E'
//
//   std::string frame;
//   NUVCollabEnvelope::Build(NUVCollabEnvelope::Data, "s1", "Msgr", bytes, n, frame);
//   NUVCollabEnvelope parsed;
//   if (parsed.Parse(frame.data(), (int)frame.size()) && parsed.SessionIs("s1")) ...
//
// Threading: any; holds no state beyond the frame it parsed.
#ifndef NUVCollabEnvelope_h
#define NUVCollabEnvelope_h

#include <string>

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVCollabEnvelope {
 public:
  enum Kind { Data = 'D', End = 'E' };
  static const int kMaxSessionIdBytes = 64;
  static const int kMaxNameBytes = 64;
  static const int kMaxPayloadBytes = 4096;

  // Writes the frame into `oFrame`. False, leaving it empty, when a part is
  // out of its range.
  static bool Build(Kind kind, const std::string& sessionId, const std::string& name,
                    const char* payload, int payloadLength, std::string& oFrame);

  // Checks a received frame. On success the fields below point into it and
  // stay valid as long as the frame does; never reads outside the frame.
  bool Parse(const char* frame, int length);
  bool SessionIs(const std::string& sessionId) const;

  Kind kind = Data;
  const char* sessionId = nullptr;
  int sessionIdLength = 0;
  const char* name = nullptr;
  int nameLength = 0;
  const char* payload = nullptr;
  int payloadLength = 0;
};

#endif
