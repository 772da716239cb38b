#include "NUVCollabEnvelope.h"

#include <cstring>

namespace {
const char kMagic[4] = {'N', 'U', 'V', 'C'};
}

bool NUVCollabEnvelope::Build(Kind kind, const std::string& sessionId, const std::string& name,
                              const char* payload, int payloadLength, std::string& oFrame) {
  oFrame.clear();
  const bool data = kind == Data;
  if (sessionId.empty() || sessionId.size() > kMaxSessionIdBytes) return false;
  if (name.size() > kMaxNameBytes) return false;
  if (data ? (!payload || payloadLength < 1 || payloadLength > kMaxPayloadBytes)
           : (payloadLength != 0 || !name.empty())) {
    return false;
  }
  oFrame.reserve(7 + sessionId.size() + name.size() + payloadLength);
  oFrame.append(kMagic, sizeof kMagic);
  oFrame.push_back(static_cast<char>(kind));
  oFrame.push_back(static_cast<char>(sessionId.size()));
  oFrame += sessionId;
  oFrame.push_back(static_cast<char>(name.size()));
  oFrame += name;
  if (data) oFrame.append(payload, payloadLength);
  return true;
}

bool NUVCollabEnvelope::Parse(const char* frame, int length) {
  *this = NUVCollabEnvelope();
  if (!frame || length < 7 || std::memcmp(frame, kMagic, sizeof kMagic) != 0) return false;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(frame);
  if (bytes[4] != Data && bytes[4] != End) return false;
  const int s = bytes[5];
  if (s < 1 || s > kMaxSessionIdBytes) return false;
  int at = 6 + s;  // the name length's position
  if (at >= length) return false;
  const int m = bytes[at];
  if (m > kMaxNameBytes || at + 1 + m > length) return false;
  const int payloadAt = at + 1 + m;
  const int rest = length - payloadAt;
  if (bytes[4] == Data ? (rest < 1 || rest > kMaxPayloadBytes) : (rest != 0 || m != 0)) {
    return false;
  }
  kind = static_cast<Kind>(bytes[4]);
  sessionId = frame + 6;
  sessionIdLength = s;
  name = frame + at + 1;
  nameLength = m;
  payload = rest > 0 ? frame + payloadAt : nullptr;
  payloadLength = rest;
  return true;
}

bool NUVCollabEnvelope::SessionIs(const std::string& id) const {
  return sessionId && static_cast<size_t>(sessionIdLength) == id.size() &&
         std::memcmp(sessionId, id.data(), id.size()) == 0;
}
