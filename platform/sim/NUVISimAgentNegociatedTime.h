// NUVISimAgentNegociatedTime: an agent driven by a negotiated-time
// controller, which advances simulated time to the smallest value its agents
// propose.
//
// Per play: Init, ReInitData, Activate; the first step at the start value,
// then each step GetNextProposedValue, SetCurrentSimValue (the value the
// controller chose), Compute, Commit, GetLoopStatus; at the end Deactivate
// and Clean. A proposal of -1.0 means "no value". As for key-frame agents,
// the controller hands itself over with SetSimulationController on attach
// and a null handle on detach.
//
//   NUVISimAgentNegociatedTime_var agent(object);
//   NUVSimValue next; if (!!agent) agent->GetNextProposedValue(next);
//
// Every operation returns a result code. The slot order below is part of the
// contract: implementations and TIEs keep it.
// Threading: user-interface thread only.
#ifndef NUVISimAgentNegociatedTime_h
#define NUVISimAgentNegociatedTime_h

#include "NUVSimHandles.h"
#include "NUVSimValue.h"
#include "SimAgentPriority.h"
#include "SimAgentType.h"
#include "SimComputeStatus.h"
#include "SimLoopStatus.h"
#include "SimReInitParameter.h"

class VPL_EXPORT NUVISimAgentNegociatedTime : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  virtual long Init() = 0;
  virtual long Clean() = 0;
  virtual long Activate() = 0;
  virtual long Deactivate() = 0;
  virtual long ReInitData(const SimReInitParameter& iReason) = 0;
  virtual long SetCurrentSimValue(const NUVSimValue& iValue) = 0;
  virtual long Compute() = 0;
  virtual long Commit() = 0;
  virtual long GetComputeStatus(SimComputeStatus& oStatus) = 0;
  virtual long GetLoopStatus(SimLoopStatus& oStatus) = 0;
  virtual long GetNextProposedValue(NUVSimValue& oValue) = 0;
  // The next proposal repeats the last one.
  virtual long Reset() = 0;
  // While `iOn` is non-zero (until the next Commit) the agent ignores the
  // values SetCurrentSimValue gives it.
  virtual long ComputeNextIteration(unsigned int iOn) = 0;
  virtual long GetPriority(SimAgentPriority& oPriority) = 0;
  virtual long SetPriority(SimAgentPriority iPriority) = 0;
  virtual long GetSubPriority(unsigned int& oSubPriority) = 0;
  virtual long GetType(SimAgentType& oType) = 0;
  virtual long GetNTType(SimAgentType& oType) = 0;
  virtual long SetType(SimAgentType iType) = 0;
  virtual long SetSimulationController(NUVISimControllerNegociatedTime_var& iController,
                                       unsigned char iAttach) = 0;
  virtual long GetSimulationController(NUVISimControllerNegociatedTime_var& oController) = 0;
  virtual long GetEnabled(unsigned char& oEnabled) = 0;
  virtual long SetEnabled(unsigned char iEnabled) = 0;
};

#define IID_NUVISimAgentNegociatedTime (NUVISimAgentNegociatedTime::ClassId())
typedef NUVVar<NUVISimAgentNegociatedTime> NUVISimAgentNegociatedTime_var;

#endif
