// NUVISimAgentKeyFrame: an agent driven by a key-frame controller.
//
// Per play: Init, Activate, then for every key frame SetCurrentSimValue,
// Compute, Commit, GetLoopStatus; at the end Deactivate and Clean. The
// controller hands itself to the agent with SetSimulationController when the
// agent is attached, and a null handle when it is detached; an agent that
// keeps the handle must drop it then, or the two keep each other alive.
//
//   NUVISimAgentKeyFrame_var agent(object);
//   if (!!agent) agent->SetCurrentSimValue(NUVSimValue(1.0));
//
// Every operation returns a result code. The slot order below is part of the
// contract: implementations and TIEs keep it.
// Threading: user-interface thread only.
#ifndef NUVISimAgentKeyFrame_h
#define NUVISimAgentKeyFrame_h

#include "NUVSimHandles.h"
#include "NUVSimValue.h"
#include "SimAgentPriority.h"
#include "SimAgentType.h"
#include "SimLoopStatus.h"

class VPL_EXPORT NUVISimAgentKeyFrame : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  virtual long Init() = 0;
  virtual long Clean() = 0;
  virtual long Activate() = 0;
  virtual long Deactivate() = 0;
  virtual long SetCurrentSimValue(const NUVSimValue& iValue) = 0;
  virtual long SetCurrentMode(int iMode) = 0;
  virtual long Compute() = 0;
  virtual long Commit() = 0;
  virtual long GetLoopStatus(SimLoopStatus& oStatus) = 0;
  // The parameters of play mode `iMode`: whether the agent defines them,
  // start, end, step and rate values, then two flags (loop, accepted).
  virtual long GetModeParams(int iMode, unsigned char& oDefined, NUVSimValue& oStart,
                             NUVSimValue& oEnd, NUVSimValue& oStep, NUVSimValue& oRate,
                             unsigned char& oLoop, unsigned char& oAccepted) = 0;
  virtual long DispatchModeParams(int iMode, const NUVSimValue& iStart, const NUVSimValue& iEnd,
                                  const NUVSimValue& iStep, const NUVSimValue& iRate,
                                  unsigned char iLoop, unsigned char iAccepted) = 0;
  virtual long GetPriority(SimAgentPriority& oPriority) = 0;
  virtual long SetPriority(SimAgentPriority iPriority) = 0;
  virtual long GetSubPriority(unsigned int& oSubPriority) = 0;
  virtual long GetType(SimAgentType& oType) = 0;
  virtual long GetKFType(SimAgentType& oType) = 0;
  virtual long SetType(SimAgentType iType) = 0;
  // `iAttach` is 1 when the controller attaches the agent, 0 when it detaches
  // it (the handle is then null).
  virtual long SetSimulationController(NUVISimControllerKeyFrame_var& iController,
                                       unsigned char iAttach) = 0;
  virtual long GetSimulationController(NUVISimControllerKeyFrame_var& oController) = 0;
  virtual long GetEnabled(unsigned char& oEnabled) = 0;
  virtual long SetEnabled(unsigned char iEnabled) = 0;
};

#define IID_NUVISimAgentKeyFrame (NUVISimAgentKeyFrame::ClassId())
typedef NUVVar<NUVISimAgentKeyFrame> NUVISimAgentKeyFrame_var;

#endif
