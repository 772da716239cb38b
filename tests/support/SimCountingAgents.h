// Counting fakes of simulation agents for the engine's tests. Each call is
// written to a shared journal as "<tag>:<operation>" (values as %g), so a
// test can assert the exact order of calls across agents and controllers.
// The fakes keep the controller handed to them, as real agents do, and count
// their live instances.
#ifndef SimCountingAgents_h
#define SimCountingAgents_h

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
  // Calls joined by spaces, for readable failures.
  std::string Joined() const;
  // Calls of one agent, without the tag.
  std::vector<std::string> Of(const std::string& tag) const;
  void Clear() { calls.clear(); }
};

std::string SimFormat(const NUVSimValue& value);

class SimCountingKeyFrameAgent : public NUVISimAgentKeyFrame {
  NUV_DECLARE_CLASS
 public:
  SimCountingKeyFrameAgent(SimCallLog* log, const char* tag);
  ~SimCountingKeyFrameAgent() override;
  static int liveCount;

  long Init() override;
  long Clean() override;
  long Activate() override;
  long Deactivate() override;
  long SetCurrentSimValue(const NUVSimValue& iValue) override;
  long SetCurrentMode(int iMode) override;
  long Compute() override;
  long Commit() override;
  long GetLoopStatus(SimLoopStatus& oStatus) override;
  long GetModeParams(int, unsigned char&, NUVSimValue&, NUVSimValue&, NUVSimValue&, NUVSimValue&,
                     unsigned char&, unsigned char&) override;
  long DispatchModeParams(int, const NUVSimValue&, const NUVSimValue&, const NUVSimValue&,
                          const NUVSimValue&, unsigned char, unsigned char) override;
  long GetPriority(SimAgentPriority& oPriority) override;
  long SetPriority(SimAgentPriority) override;
  long GetSubPriority(unsigned int& oSubPriority) override;
  long GetType(SimAgentType& oType) override;
  long GetKFType(SimAgentType& oType) override;
  long SetType(SimAgentType) override;
  long SetSimulationController(NUVISimControllerKeyFrame_var& iController,
                               unsigned char iAttach) override;
  long GetSimulationController(NUVISimControllerKeyFrame_var& oController) override;
  long GetEnabled(unsigned char& oEnabled) override;
  long SetEnabled(unsigned char iEnabled) override;

  SimCallLog* log;
  std::string tag;
  NUVISimControllerKeyFrame_var controller;
  NUVSimValue current;
  unsigned char enabled = 1;
  int steps = 0;  // Commit calls
  // Answered by GetLoopStatus once `steps` reaches `statusFromStep`.
  SimLoopStatus status = SimLoopContinue;
  int statusFromStep = 0;
  std::function<void()> onCommit;  // runs inside Commit, after logging
};

class SimCountingNegociatedTimeAgent : public NUVISimAgentNegociatedTime {
  NUV_DECLARE_CLASS
 public:
  SimCountingNegociatedTimeAgent(SimCallLog* log, const char* tag);
  ~SimCountingNegociatedTimeAgent() override;
  static int liveCount;

  long Init() override;
  long Clean() override;
  long Activate() override;
  long Deactivate() override;
  long ReInitData(const SimReInitParameter& iReason) override;
  long SetCurrentSimValue(const NUVSimValue& iValue) override;
  long Compute() override;
  long Commit() override;
  long GetComputeStatus(SimComputeStatus& oStatus) override;
  long GetLoopStatus(SimLoopStatus& oStatus) override;
  long GetNextProposedValue(NUVSimValue& oValue) override;
  long Reset() override;
  long ComputeNextIteration(unsigned int iOn) override;
  long GetPriority(SimAgentPriority& oPriority) override;
  long SetPriority(SimAgentPriority) override;
  long GetSubPriority(unsigned int& oSubPriority) override;
  long GetType(SimAgentType& oType) override;
  long GetNTType(SimAgentType& oType) override;
  long SetType(SimAgentType) override;
  long SetSimulationController(NUVISimControllerNegociatedTime_var& iController,
                               unsigned char iAttach) override;
  long GetSimulationController(NUVISimControllerNegociatedTime_var& oController) override;
  long GetEnabled(unsigned char& oEnabled) override;
  long SetEnabled(unsigned char iEnabled) override;

  SimCallLog* log;
  std::string tag;
  NUVISimControllerNegociatedTime_var controller;
  NUVSimValue current;
  unsigned char enabled = 1;
  int steps = 0;
  SimLoopStatus status = SimLoopContinue;
  int statusFromStep = 0;
  SimComputeStatus computeStatus = SimComputeOK;
  // The proposal for the next step given the current value; unset: the
  // agent writes nothing.
  std::function<NUVSimValue(const NUVSimValue&)> propose;
  std::function<void()> onCommit;
};

#endif
