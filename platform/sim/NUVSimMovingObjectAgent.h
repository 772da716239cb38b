// NUVSimMovingObjectAgent: a simple agent for host scenes. It moves a named
// object along a path of way points (a position at given simulated values,
// linear in between, held before the first and after the last) and counts
// the steps it has committed. It answers both agent interfaces through TIEs,
// so either controller, or a structured agent, can drive it; created by
// name as "NUVSimMovingObjectAgent".
//
//   NUVSimMovingObjectAgent* mover = new NUVSimMovingObjectAgent("Cube");
//   mover->AddWayPoint(0.0, 0, 0, 0); mover->AddWayPoint(2.0, 4, 0, 0);
//
// Under a negotiated-time controller it proposes the next way point after
// the current value, so that play stops on every way point; after the last
// one it proposes nothing (-1.0). Compute moves the object to the current
// value; Commit counts the step. The host reads GetPosition after each step
// to place its object. Type 2 (computing), priority 1, sub-priority 100,
// loop status 1, compute status 0.
// Threading: user-interface thread only.
#ifndef NUVSimMovingObjectAgent_h
#define NUVSimMovingObjectAgent_h

#include <vector>

#include "NUVISimAgentKeyFrame.h"
#include "NUVISimAgentNegociatedTime.h"
#include "NUVISimControllerKeyFrame.h"
#include "NUVISimControllerNegociatedTime.h"
#include "NUVString.h"

class VPL_EXPORT NUVSimMovingObjectAgent : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  explicit NUVSimMovingObjectAgent(const char* objectName = "");
  ~NUVSimMovingObjectAgent() override;

  // Answers NUVISimAgentKeyFrame and NUVISimAgentNegociatedTime.
  long QueryInterface(const NUVIID& iid, void** out) override;

  const NUVString& GetObjectName() const { return _ObjectName; }
  void SetObjectName(const NUVString& iName) { _ObjectName = iName; }
  // Adds a way point, or moves the one already at that value.
  void AddWayPoint(const NUVSimValue& iAt, double iX, double iY, double iZ);
  int CountWayPoints() const { return static_cast<int>(_Path.size()); }
  void GetPosition(double& oX, double& oY, double& oZ) const;
  // Steps committed since the last Init.
  int GetStepCount() const { return _Steps; }
  const NUVSimValue& GetCurrent() const { return _Current; }
  // Makes Compute cost real time, growing with every step: the first step
  // after Init spends `firstMicroseconds`, each later one `growth` times the
  // one before, up to 0.2 s a step. Stands for a scene whose computation
  // gets heavier as play goes on. A first cost of 0 (the default): free.
  void SetComputeCost(double firstMicroseconds, double growth) {
    _FirstCost = firstMicroseconds;
    _CostGrowth = growth;
  }

  // The operations of both agent interfaces.
  long Init();
  long Clean();
  long Activate();
  long Deactivate();
  long ReInitData(const SimReInitParameter& iReason);
  long SetCurrentSimValue(const NUVSimValue& iValue);
  long SetCurrentMode(int iMode);
  long Compute();
  long Commit();
  long GetComputeStatus(SimComputeStatus& oStatus);
  long GetLoopStatus(SimLoopStatus& oStatus);
  long GetNextProposedValue(NUVSimValue& oValue);
  long Reset();
  long ComputeNextIteration(unsigned int iOn);
  long GetPriority(SimAgentPriority& oPriority);
  long SetPriority(SimAgentPriority iPriority);
  long GetSubPriority(unsigned int& oSubPriority);
  long GetType(SimAgentType& oType);
  long GetKFType(SimAgentType& oType) { return GetType(oType); }
  long GetNTType(SimAgentType& oType) { return GetType(oType); }
  // No modes: nothing defined, nothing taken.
  long GetModeParams(int, unsigned char&, NUVSimValue&, NUVSimValue&, NUVSimValue&, NUVSimValue&,
                     unsigned char&, unsigned char&) {
    return S_OK;
  }
  long DispatchModeParams(int, const NUVSimValue&, const NUVSimValue&, const NUVSimValue&,
                          const NUVSimValue&, unsigned char, unsigned char) {
    return S_OK;
  }
  long SetType(SimAgentType iType);
  long SetSimulationController(NUVISimControllerKeyFrame_var& iController, unsigned char iAttach);
  long SetSimulationController(NUVISimControllerNegociatedTime_var& iController,
                               unsigned char iAttach);
  long GetSimulationController(NUVISimControllerKeyFrame_var& oController);
  long GetSimulationController(NUVISimControllerNegociatedTime_var& oController);
  long GetEnabled(unsigned char& oEnabled);
  long SetEnabled(unsigned char iEnabled);

 private:
  struct WayPoint {
    NUVSimValue at;
    double x, y, z;
  };

  NUVString _ObjectName;
  std::vector<WayPoint> _Path;  // ascending by value
  NUVSimValue _Current;
  double _X, _Y, _Z;
  int _Steps;
  double _FirstCost = 0;
  double _CostGrowth = 1;
  unsigned char _Enabled;
  unsigned char _IgnoreValues;  // set by ComputeNextIteration until Commit
  SimAgentPriority _Priority;
  SimAgentType _Type;
  NUVISimControllerKeyFrame_var _KeyFrameController;
  NUVISimControllerNegociatedTime_var _NegociatedTimeController;
};

#endif
