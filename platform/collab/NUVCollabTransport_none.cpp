// The collaboration framework of a build without ZeroMQ: no transport, and
// every review start says so.
#include "NUVCollabTransport.h"

bool NUVCollabTransport::Available() { return false; }

NUVCollabTransport* NUVCollabTransport::Open(bool, const std::string&, std::string& oError) {
  oError = "this build has no collaboration transport (ZeroMQ was not found when it was built)";
  return nullptr;
}
