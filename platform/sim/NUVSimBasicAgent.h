// NUVSimBasicAgent: the part every simple agent of a host's scene shares.
// It answers both agent interfaces (NUVISimAgentKeyFrame and
// NUVISimAgentNegociatedTime) through TIEs, so either controller, or a
// structured agent, can drive it, and gives every operation a plain answer:
// no modes, loop status continue, compute status OK, no proposal of its own
// (-1.0), enabled, priority and type as set (normal, computing), sub-priority
// 100. It counts the steps committed since the last Init or ReInitData, and
// ignores the values set while the controller computes the next iteration.
// A concrete agent overrides what it does differently, typically Compute,
// Commit and GetNextProposedValue:
//
//   class Mover : public NUVSimBasicAgent {
//     long Compute() override { ...; return S_OK; } };
//
// Threading: user-interface thread only.
#ifndef NUVSimBasicAgent_h
#define NUVSimBasicAgent_h

#include "NUVISimAgentKeyFrame.h"
#include "NUVISimAgentNegociatedTime.h"
#include "NUVISimControllerKeyFrame.h"
#include "NUVISimControllerNegociatedTime.h"

class VPL_EXPORT NUVSimBasicAgent : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUVSimBasicAgent(SimAgentType type = SimAgentTypeCompute,
                   SimAgentPriority priority = SimAgentPriorityNormal);
  ~NUVSimBasicAgent() override;

  long QueryInterface(const NUVIID& iid, void** out) override;

  // Steps committed since the last Init or ReInitData.
  int GetStepCount() const { return _Steps; }
  const NUVSimValue& GetCurrent() const { return _Current; }

  // The operations of both agent interfaces.
  virtual long Init();
  virtual long Clean() { return S_OK; }
  virtual long Activate() { return S_OK; }
  virtual long Deactivate() { return S_OK; }
  virtual long ReInitData(const SimReInitParameter&);
  virtual long SetCurrentSimValue(const NUVSimValue& iValue);
  virtual long SetCurrentMode(int) { return S_OK; }
  virtual long Compute() { return S_OK; }
  virtual long Commit();
  virtual long GetComputeStatus(SimComputeStatus& oStatus) { return oStatus = SimComputeOK, S_OK; }
  virtual long GetLoopStatus(SimLoopStatus& oStatus) { return oStatus = SimLoopContinue, S_OK; }
  virtual long GetNextProposedValue(NUVSimValue& oValue);
  virtual long Reset() { return S_OK; }
  virtual long ComputeNextIteration(unsigned int iOn);
  virtual long GetPriority(SimAgentPriority& oPriority) { return oPriority = _Priority, S_OK; }
  virtual long SetPriority(SimAgentPriority iPriority) { return _Priority = iPriority, S_OK; }
  virtual long GetSubPriority(unsigned int& oSubPriority) { return oSubPriority = 100, S_OK; }
  virtual long GetType(SimAgentType& oType) { return oType = _Type, S_OK; }
  long GetKFType(SimAgentType& oType) { return GetType(oType); }
  long GetNTType(SimAgentType& oType) { return GetType(oType); }
  virtual long SetType(SimAgentType iType) { return _Type = iType, S_OK; }
  // No modes: nothing defined, nothing taken.
  long GetModeParams(int, unsigned char&, NUVSimValue&, NUVSimValue&, NUVSimValue&, NUVSimValue&,
                     unsigned char&, unsigned char&) {
    return S_OK;
  }
  long DispatchModeParams(int, const NUVSimValue&, const NUVSimValue&, const NUVSimValue&,
                          const NUVSimValue&, unsigned char, unsigned char) {
    return S_OK;
  }
  long SetSimulationController(NUVISimControllerKeyFrame_var& iController, unsigned char iAttach);
  long SetSimulationController(NUVISimControllerNegociatedTime_var& iController,
                               unsigned char iAttach);
  long GetSimulationController(NUVISimControllerKeyFrame_var& oController);
  long GetSimulationController(NUVISimControllerNegociatedTime_var& oController);
  long GetEnabled(unsigned char& oEnabled) { return oEnabled = _Enabled, S_OK; }
  long SetEnabled(unsigned char iEnabled) { return _Enabled = iEnabled ? 1 : 0, S_OK; }

 private:
  NUVSimValue _Current;
  int _Steps = 0;
  unsigned char _Enabled = 1;
  unsigned char _IgnoreValues = 0;  // set by ComputeNextIteration until Commit
  SimAgentPriority _Priority;
  SimAgentType _Type;
  NUVISimControllerKeyFrame_var _KeyFrameController;
  NUVISimControllerNegociatedTime_var _NegociatedTimeController;
};

#endif
