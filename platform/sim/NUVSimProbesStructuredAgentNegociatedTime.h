// NUVSimProbesStructuredAgentNegociatedTime: the engine's structured
// negotiated-time agent, created by name as "NUVSimProbesStructuredAgentNT".
// Its members are managed through NUVISimStructuredAgentNegociatedTimeMgt;
// forwarding, member lifecycle and its own answers are those of
// NUVSimStructuredAgent.
//
//   NUVISimStructuredAgentNegociatedTimeMgt_var mgt(structured);
//   mgt->AddMember(agent); controller->SetControlledAgent(structured);
//
// Of its own calls, ReInitData reaches every joined member (and members that
// join later are given the last reason); GetComputeStatus,
// GetNextProposedValue, Reset and ComputeNextIteration reach the enabled ones.
// - Proposal: the smallest member proposal that is greater than the value
//   last set, ignoring -1.0 (no value) and members that write nothing; -1.0
//   when there is none.
// - Compute status: the largest the members answer, at least 0.
// Threading: user-interface thread only.
#ifndef NUVSimProbesStructuredAgentNegociatedTime_h
#define NUVSimProbesStructuredAgentNegociatedTime_h

#include "NUVISimAgentNegociatedTime.h"
#include "NUVISimControllerNegociatedTime.h"
#include "NUVISimStructuredAgentNegociatedTimeMgt.h"
#include "NUVSimStructuredAgent.h"

class VPL_EXPORT NUVSimProbesStructuredAgentNegociatedTime
    : public NUVSimStructuredAgent<NUVISimAgentNegociatedTime, NUVISimControllerNegociatedTime,
                                   NUVISimStructuredAgentNegociatedTimeMgt> {
  NUV_DECLARE_CLASS
 public:
  NUVSimProbesStructuredAgentNegociatedTime();
  ~NUVSimProbesStructuredAgentNegociatedTime() override;

  long ReInitData(const SimReInitParameter& iReason) override;
  long GetComputeStatus(SimComputeStatus& oStatus) override;
  long GetNextProposedValue(NUVSimValue& oValue) override;
  long Reset() override;
  long ComputeNextIteration(unsigned int iOn) override;
  long GetNTType(SimAgentType& oType) override;

 protected:
  void CatchUp(AgentVar& iAgent) override;

 private:
  SimReInitParameter _ReInitReason;  // the last one received, for late members
};

#endif
