// NUVSimProbesStructuredAgentKeyFrame: the engine's structured key-frame
// agent. A key-frame controller drives it as one agent; it drives its members
// in the order they were added. Created by name as
// "NUVSimProbesStructuredAgentKF"; its members are managed through
// NUVISimStructuredAgentKeyFrameMgt (see NUVSimMemberSet for when members
// join a play).
//
//   NUVISimStructuredAgentKeyFrameMgt_var mgt(structured);
//   mgt->AddMember(agent); controller->SetControlledAgent(structured);
//
// Forwarding: lifecycle calls (Init, Activate, Deactivate, Clean) reach every
// joined member; per-step calls (SetCurrentSimValue, SetCurrentMode,
// Compute, Commit, GetLoopStatus, DispatchModeParams) only the joined members
// whose GetEnabled answers true (preset to true). The loop status is the
// largest the members answer, at least 1. The controller handed to the
// structured agent is handed on to every member, and to members added later.
// Its own type is 1 (structured), priority 1, sub-priority 0.
// Threading: user-interface thread only.
#ifndef NUVSimProbesStructuredAgentKeyFrame_h
#define NUVSimProbesStructuredAgentKeyFrame_h

#include "NUVISimAgentKeyFrame.h"
#include "NUVISimControllerKeyFrame.h"
#include "NUVISimStructuredAgentKeyFrameMgt.h"
#include "NUVSimMemberSet.h"

class VPL_EXPORT NUVSimProbesStructuredAgentKeyFrame : public NUVISimAgentKeyFrame {
  NUV_DECLARE_CLASS
 public:
  NUVSimProbesStructuredAgentKeyFrame();
  ~NUVSimProbesStructuredAgentKeyFrame() override;

  // Also answers NUVISimStructuredAgentKeyFrameMgt, through a TIE.
  long QueryInterface(const NUVIID& iid, void** out) override;

  long Init() override;
  long Clean() override;
  long Activate() override;
  long Deactivate() override;
  long SetCurrentSimValue(const NUVSimValue& iValue) override;
  long SetCurrentMode(int iMode) override;
  long Compute() override;
  long Commit() override;
  long GetLoopStatus(SimLoopStatus& oStatus) override;
  long GetModeParams(int iMode, unsigned char& oDefined, NUVSimValue& oStart, NUVSimValue& oEnd,
                     NUVSimValue& oStep, NUVSimValue& oRate, unsigned char& oLoop,
                     unsigned char& oAccepted) override;
  long DispatchModeParams(int iMode, const NUVSimValue& iStart, const NUVSimValue& iEnd,
                          const NUVSimValue& iStep, const NUVSimValue& iRate, unsigned char iLoop,
                          unsigned char iAccepted) override;
  long GetPriority(SimAgentPriority& oPriority) override;
  long SetPriority(SimAgentPriority iPriority) override;
  long GetSubPriority(unsigned int& oSubPriority) override;
  long GetType(SimAgentType& oType) override;
  long GetKFType(SimAgentType& oType) override;
  long SetType(SimAgentType iType) override;
  long SetSimulationController(NUVISimControllerKeyFrame_var& iController,
                               unsigned char iAttach) override;
  long GetSimulationController(NUVISimControllerKeyFrame_var& oController) override;
  long GetEnabled(unsigned char& oEnabled) override;
  long SetEnabled(unsigned char iEnabled) override;

  // Member management (NUVISimStructuredAgentKeyFrameMgt).
  long AddMember(NUVISimAgentKeyFrame_var& iAgent);
  long RemoveMember(NUVISimAgentKeyFrame_var& iAgent);
  long RemoveAllMembers();
  long GetMembers(NUVListValNUVISimAgentKeyFrame_var& oMembers);
  long GetMember(const NUVString& iName, NUVISimAgentKeyFrame_var& oAgent);
  long MembersChanged(unsigned char iRefresh);
  int CountMembers() const { return _Members.Count(); }

 private:
  NUVSimMemberSet<NUVISimAgentKeyFrame, NUVISimControllerKeyFrame> _Members;
  SimAgentPriority _Priority;
  SimAgentType _Type;
  unsigned char _Enabled;
};

#endif
