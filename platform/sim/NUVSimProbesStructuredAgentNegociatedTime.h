// NUVSimProbesStructuredAgentNegociatedTime: the engine's structured
// negotiated-time agent. A negotiated-time controller drives it as one
// agent; it drives its members in the order they were added. Created by
// name as "NUVSimProbesStructuredAgentNT"; its members are managed through
// NUVISimStructuredAgentNegociatedTimeMgt (see NUVSimMemberSet for when
// members join a play).
//
//   NUVISimStructuredAgentNegociatedTimeMgt_var mgt(structured);
//   mgt->AddMember(agent); controller->SetControlledAgent(structured);
//
// Forwarding: lifecycle calls (Init, ReInitData, Activate, Deactivate,
// Clean) reach every joined member; per-step calls (SetCurrentSimValue,
// Compute, Commit, GetLoopStatus, GetComputeStatus, GetNextProposedValue,
// Reset, ComputeNextIteration) only the joined members whose GetEnabled
// answers true (preset to true).
// - Proposal: the smallest member proposal that is greater than the value
//   last set, ignoring -1.0 (no value) and members that write nothing; -1.0
//   when there is none.
// - Loop status: the largest the members answer, at least 1. Compute
//   status: the largest, at least 0.
// The controller handed to the structured agent is handed on to every
// member, and to members added later. Its own type is 1 (structured),
// priority 1, sub-priority 0.
// Threading: user-interface thread only.
#ifndef NUVSimProbesStructuredAgentNegociatedTime_h
#define NUVSimProbesStructuredAgentNegociatedTime_h

#include "NUVISimAgentNegociatedTime.h"
#include "NUVISimControllerNegociatedTime.h"
#include "NUVISimStructuredAgentNegociatedTimeMgt.h"
#include "NUVSimMemberSet.h"

class VPL_EXPORT NUVSimProbesStructuredAgentNegociatedTime : public NUVISimAgentNegociatedTime {
  NUV_DECLARE_CLASS
 public:
  NUVSimProbesStructuredAgentNegociatedTime();
  ~NUVSimProbesStructuredAgentNegociatedTime() override;

  // Also answers NUVISimStructuredAgentNegociatedTimeMgt, through a TIE.
  long QueryInterface(const NUVIID& iid, void** out) override;

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
  long SetPriority(SimAgentPriority iPriority) override;
  long GetSubPriority(unsigned int& oSubPriority) override;
  long GetType(SimAgentType& oType) override;
  long GetNTType(SimAgentType& oType) override;
  long SetType(SimAgentType iType) override;
  long SetSimulationController(NUVISimControllerNegociatedTime_var& iController,
                               unsigned char iAttach) override;
  long GetSimulationController(NUVISimControllerNegociatedTime_var& oController) override;
  long GetEnabled(unsigned char& oEnabled) override;
  long SetEnabled(unsigned char iEnabled) override;

  // Member management (NUVISimStructuredAgentNegociatedTimeMgt).
  long AddMember(NUVISimAgentNegociatedTime_var& iAgent);
  long RemoveMember(NUVISimAgentNegociatedTime_var& iAgent);
  long RemoveAllMembers();
  long GetMembers(NUVListValNUVISimAgentNegociatedTime_var& oMembers);
  long GetMember(const NUVString& iName, NUVISimAgentNegociatedTime_var& oAgent);
  long MembersChanged(unsigned char iRefresh);
  int CountMembers() const { return _Members.Count(); }

 private:
  NUVSimMemberSet<NUVISimAgentNegociatedTime, NUVISimControllerNegociatedTime> _Members;
  NUVSimValue _Current;
  SimReInitParameter _ReInitReason;  // the last one received, for late members
  SimAgentPriority _Priority;
  SimAgentType _Type;
  unsigned char _Enabled;
};

#endif
