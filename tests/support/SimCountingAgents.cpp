#include "SimCountingAgents.h"

#include <cstdio>

NUV_IMPLEMENT_CLASS(SimCountingKeyFrameAgent, NUVISimAgentKeyFrame, "VelloranTest")
NUV_IMPLEMENT_CLASS(SimCountingNegociatedTimeAgent, NUVISimAgentNegociatedTime, "VelloranTest")

int SimCountingKeyFrameAgent::liveCount = 0;
int SimCountingNegociatedTimeAgent::liveCount = 0;

std::string SimCallLog::Joined() const {
  std::string s;
  for (const std::string& c : calls) {
    if (!s.empty()) s += ' ';
    s += c;
  }
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

// ---- key frame ----

SimCountingKeyFrameAgent::SimCountingKeyFrameAgent(SimCallLog* l, const char* t) : log(l), tag(t) {
  ++liveCount;
}
SimCountingKeyFrameAgent::~SimCountingKeyFrameAgent() { --liveCount; }

long SimCountingKeyFrameAgent::Init() { log->Add(tag, "Init"); return S_OK; }
long SimCountingKeyFrameAgent::Clean() { log->Add(tag, "Clean"); return S_OK; }
long SimCountingKeyFrameAgent::Activate() { log->Add(tag, "Activate"); return S_OK; }
long SimCountingKeyFrameAgent::Deactivate() { log->Add(tag, "Deactivate"); return S_OK; }
long SimCountingKeyFrameAgent::SetCurrentSimValue(const NUVSimValue& v) {
  current = v;
  log->Add(tag, "Set " + SimFormat(v));
  return S_OK;
}
long SimCountingKeyFrameAgent::SetCurrentMode(int m) {
  log->Add(tag, "Mode " + std::to_string(m));
  return S_OK;
}
long SimCountingKeyFrameAgent::Compute() { log->Add(tag, "Compute"); return S_OK; }
long SimCountingKeyFrameAgent::Commit() {
  ++steps;
  log->Add(tag, "Commit");
  if (onCommit) onCommit();
  return S_OK;
}
long SimCountingKeyFrameAgent::GetLoopStatus(SimLoopStatus& s) {
  log->Add(tag, "Loop");
  s = steps >= statusFromStep ? status : SimLoopContinue;
  return S_OK;
}
long SimCountingKeyFrameAgent::GetModeParams(int, unsigned char&, NUVSimValue&, NUVSimValue&,
                                             NUVSimValue&, NUVSimValue&, unsigned char&,
                                             unsigned char&) {
  return S_OK;
}
long SimCountingKeyFrameAgent::DispatchModeParams(int, const NUVSimValue&, const NUVSimValue&,
                                                  const NUVSimValue&, const NUVSimValue&,
                                                  unsigned char, unsigned char) {
  log->Add(tag, "DispatchModeParams");
  return S_OK;
}
long SimCountingKeyFrameAgent::GetPriority(SimAgentPriority& p) { p = SimAgentPriorityNormal; return S_OK; }
long SimCountingKeyFrameAgent::SetPriority(SimAgentPriority) { return S_OK; }
long SimCountingKeyFrameAgent::GetSubPriority(unsigned int& p) { p = 0; return S_OK; }
long SimCountingKeyFrameAgent::GetType(SimAgentType& t) { t = SimAgentTypeCompute; return S_OK; }
long SimCountingKeyFrameAgent::GetKFType(SimAgentType& t) { return GetType(t); }
long SimCountingKeyFrameAgent::SetType(SimAgentType) { return S_OK; }
long SimCountingKeyFrameAgent::SetSimulationController(NUVISimControllerKeyFrame_var& c,
                                                       unsigned char attach) {
  log->Add(tag, attach ? "Attach" : "Detach");
  controller = c;
  return S_OK;
}
long SimCountingKeyFrameAgent::GetSimulationController(NUVISimControllerKeyFrame_var& c) {
  c = controller;
  return S_OK;
}
long SimCountingKeyFrameAgent::GetEnabled(unsigned char& e) { e = enabled; return S_OK; }
long SimCountingKeyFrameAgent::SetEnabled(unsigned char e) { enabled = e; return S_OK; }

// ---- negotiated time ----

SimCountingNegociatedTimeAgent::SimCountingNegociatedTimeAgent(SimCallLog* l, const char* t)
    : log(l), tag(t) {
  ++liveCount;
}
SimCountingNegociatedTimeAgent::~SimCountingNegociatedTimeAgent() { --liveCount; }

long SimCountingNegociatedTimeAgent::Init() { log->Add(tag, "Init"); return S_OK; }
long SimCountingNegociatedTimeAgent::Clean() { log->Add(tag, "Clean"); return S_OK; }
long SimCountingNegociatedTimeAgent::Activate() { log->Add(tag, "Activate"); return S_OK; }
long SimCountingNegociatedTimeAgent::Deactivate() { log->Add(tag, "Deactivate"); return S_OK; }
long SimCountingNegociatedTimeAgent::ReInitData(const SimReInitParameter& r) {
  log->Add(tag, "ReInit " + std::to_string(static_cast<int>(r)));
  return S_OK;
}
long SimCountingNegociatedTimeAgent::SetCurrentSimValue(const NUVSimValue& v) {
  current = v;
  log->Add(tag, "Set " + SimFormat(v));
  return S_OK;
}
long SimCountingNegociatedTimeAgent::Compute() { log->Add(tag, "Compute"); return S_OK; }
long SimCountingNegociatedTimeAgent::Commit() {
  ++steps;
  log->Add(tag, "Commit");
  if (onCommit) onCommit();
  return S_OK;
}
long SimCountingNegociatedTimeAgent::GetComputeStatus(SimComputeStatus& s) {
  s = computeStatus;
  return S_OK;
}
long SimCountingNegociatedTimeAgent::GetLoopStatus(SimLoopStatus& s) {
  log->Add(tag, "Loop");
  s = steps >= statusFromStep ? status : SimLoopContinue;
  return S_OK;
}
long SimCountingNegociatedTimeAgent::GetNextProposedValue(NUVSimValue& v) {
  if (propose) {
    v = propose(current);
    log->Add(tag, "Propose " + SimFormat(v));
  } else {
    log->Add(tag, "Propose none");
  }
  return S_OK;
}
long SimCountingNegociatedTimeAgent::Reset() { log->Add(tag, "Reset"); return S_OK; }
long SimCountingNegociatedTimeAgent::ComputeNextIteration(unsigned int n) {
  log->Add(tag, "Next " + std::to_string(n));
  return S_OK;
}
long SimCountingNegociatedTimeAgent::GetPriority(SimAgentPriority& p) { p = SimAgentPriorityNormal; return S_OK; }
long SimCountingNegociatedTimeAgent::SetPriority(SimAgentPriority) { return S_OK; }
long SimCountingNegociatedTimeAgent::GetSubPriority(unsigned int& p) { p = 0; return S_OK; }
long SimCountingNegociatedTimeAgent::GetType(SimAgentType& t) { t = SimAgentTypeCompute; return S_OK; }
long SimCountingNegociatedTimeAgent::GetNTType(SimAgentType& t) { return GetType(t); }
long SimCountingNegociatedTimeAgent::SetType(SimAgentType) { return S_OK; }
long SimCountingNegociatedTimeAgent::SetSimulationController(
    NUVISimControllerNegociatedTime_var& c, unsigned char attach) {
  log->Add(tag, attach ? "Attach" : "Detach");
  controller = c;
  return S_OK;
}
long SimCountingNegociatedTimeAgent::GetSimulationController(NUVISimControllerNegociatedTime_var& c) {
  c = controller;
  return S_OK;
}
long SimCountingNegociatedTimeAgent::GetEnabled(unsigned char& e) { e = enabled; return S_OK; }
long SimCountingNegociatedTimeAgent::SetEnabled(unsigned char e) { enabled = e; return S_OK; }
