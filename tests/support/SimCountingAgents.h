// Counting fakes of simulation agents for the engine's tests. Each call is
// written to a shared journal as "<tag>:<operation>" (values as %g), so a
// test can assert the exact order of calls across agents and controllers.
// The fakes keep the controller handed to them, as real agents do, and count
// their live instances (liveCount).
#ifndef SimCountingAgents_h
#define SimCountingAgents_h

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "NUVISimAgentKeyFrame.h"
#include "NUVISimAgentNegociatedTime.h"
#include "NUVISimControllerKeyFrame.h"
#include "NUVISimControllerNegociatedTime.h"

struct SimCallLog {
  std::vector<std::string> calls;
  void Add(const std::string& tag, const std::string& what) { calls.push_back(tag + ":" + what); }
  void Clear() { calls.clear(); }
  std::string Joined() const {  // calls joined by spaces, for readable failures
    std::string s;
    for (const std::string& c : calls) s += (s.empty() ? "" : " ") + c;
    return s;
  }
  std::vector<std::string> Of(const std::string& tag) const {  // one agent's calls, untagged
    std::vector<std::string> out;
    for (const std::string& c : calls)
      if (c.compare(0, tag.size() + 1, tag + ":") == 0) out.push_back(c.substr(tag.size() + 1));
    return out;
  }
};

inline std::string SimFormat(const NUVSimValue& value) {
  char text[64];
  std::snprintf(text, sizeof text, "%g", value.GetValue());
  return text;
}

// The calls both agent interfaces share.
template <class AgentI, class ControllerI>
class SimCountingAgent : public AgentI {
 public:
  SimCountingAgent(SimCallLog* l, const char* t) : log(l), tag(t) { ++liveCount; }
  ~SimCountingAgent() override { --liveCount; }
  static int liveCount;

  long Init() override { return Note("Init"); }
  long Clean() override { return Note("Clean"); }
  long Activate() override { return Note("Activate"); }
  long Deactivate() override { return Note("Deactivate"); }
  long SetCurrentSimValue(const NUVSimValue& v) override {
    current = v;
    return Note("Set " + SimFormat(v));
  }
  long Compute() override { return Note("Compute"); }
  long Commit() override {
    ++steps;
    Note("Commit");
    if (onCommit) onCommit();
    return S_OK;
  }
  long GetLoopStatus(SimLoopStatus& s) override {
    s = steps >= statusFromStep ? status : SimLoopContinue;
    return Note("Loop");
  }
  long GetPriority(SimAgentPriority& p) override { p = SimAgentPriorityNormal; return S_OK; }
  long SetPriority(SimAgentPriority) override { return S_OK; }
  long GetSubPriority(unsigned int& p) override { p = 0; return S_OK; }
  long GetType(SimAgentType& t) override { t = SimAgentTypeCompute; return S_OK; }
  long SetType(SimAgentType) override { return S_OK; }
  long SetSimulationController(NUVVar<ControllerI>& c, unsigned char attach) override {
    controller = c;
    return Note(attach ? "Attach" : "Detach");
  }
  long GetSimulationController(NUVVar<ControllerI>& c) override { c = controller; return S_OK; }
  long GetEnabled(unsigned char& e) override { e = enabled; return S_OK; }
  long SetEnabled(unsigned char e) override { enabled = e; return S_OK; }

  SimCallLog* log;
  std::string tag;
  NUVVar<ControllerI> controller;
  NUVSimValue current;
  unsigned char enabled = 1;
  int steps = 0;  // Commit calls
  // Answered by GetLoopStatus once `steps` reaches `statusFromStep`.
  SimLoopStatus status = SimLoopContinue;
  int statusFromStep = 0;
  std::function<void()> onCommit;  // runs inside Commit, after logging

 protected:
  long Note(const std::string& what) { log->Add(tag, what); return S_OK; }
};

template <class AgentI, class ControllerI>
int SimCountingAgent<AgentI, ControllerI>::liveCount = 0;

class SimCountingKeyFrameAgent
    : public SimCountingAgent<NUVISimAgentKeyFrame, NUVISimControllerKeyFrame> {
  NUV_DECLARE_CLASS
 public:
  using SimCountingAgent::SimCountingAgent;
  long SetCurrentMode(int) override { return S_OK; }
  long GetModeParams(int, unsigned char&, NUVSimValue&, NUVSimValue&, NUVSimValue&, NUVSimValue&,
                     unsigned char&, unsigned char&) override { return S_OK; }
  long DispatchModeParams(int, const NUVSimValue&, const NUVSimValue&, const NUVSimValue&,
                          const NUVSimValue&, unsigned char, unsigned char) override { return S_OK; }
  long GetKFType(SimAgentType& t) override { return GetType(t); }
};

class SimCountingNegociatedTimeAgent
    : public SimCountingAgent<NUVISimAgentNegociatedTime, NUVISimControllerNegociatedTime> {
  NUV_DECLARE_CLASS
 public:
  using SimCountingAgent::SimCountingAgent;
  long ReInitData(const SimReInitParameter& r) override {
    return Note("ReInit " + std::to_string(static_cast<int>(r)));
  }
  long GetComputeStatus(SimComputeStatus& s) override { s = computeStatus; return S_OK; }
  long GetNextProposedValue(NUVSimValue& v) override {
    if (!propose) return Note("Propose none");
    v = propose(current);
    return Note("Propose " + SimFormat(v));
  }
  long Reset() override { return Note("Reset"); }
  long ComputeNextIteration(unsigned int n) override { return Note("Next " + std::to_string(n)); }
  long GetNTType(SimAgentType& t) override { return GetType(t); }

  SimComputeStatus computeStatus = SimComputeOK;
  // The proposal for the next step given the current value; unset: the
  // agent writes nothing.
  std::function<NUVSimValue(const NUVSimValue&)> propose;
};

#endif
