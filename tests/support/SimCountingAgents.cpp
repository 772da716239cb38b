#include "SimCountingAgents.h"

#include <cstdio>

NUV_IMPLEMENT_CLASS(SimCountingKeyFrameAgent, NUVISimAgentKeyFrame, "VelloranTest")
NUV_IMPLEMENT_CLASS(SimCountingNegociatedTimeAgent, NUVISimAgentNegociatedTime, "VelloranTest")

std::string SimCallLog::Joined() const {
  std::string s;
  for (const std::string& c : calls) s += (s.empty() ? "" : " ") + c;
  return s;
}

std::vector<std::string> SimCallLog::Of(const std::string& tag) const {
  std::vector<std::string> out;
  std::string prefix = tag + ":";
  for (const std::string& c : calls)
    if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c.substr(prefix.size()));
  return out;
}

std::string SimFormat(const NUVSimValue& value) {
  char text[64];
  std::snprintf(text, sizeof text, "%g", value.GetValue());
  return text;
}
