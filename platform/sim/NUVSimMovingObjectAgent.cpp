#include "NUVSimMovingObjectAgent.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "NUVSimAgentKeyFrameTie.h"
#include "NUVSimAgentNegociatedTimeTie.h"

NUV_IMPLEMENT_CLASS(NUVSimMovingObjectAgent, NUVBaseUnknown, "VelloranPlatform")

namespace {

typedef NUVSimMovingObjectAgent Mover;

class KeyFrameTie : public NUVSimAgentKeyFrameTie<Mover> {
 public:
  using NUVSimAgentKeyFrameTie::NUVSimAgentKeyFrameTie;
};

class NegociatedTimeTie : public NUVSimAgentNegociatedTimeTie<Mover> {
 public:
  using NUVSimAgentNegociatedTimeTie::NUVSimAgentNegociatedTimeTie;
};

}  // namespace

NUVSimMovingObjectAgent::NUVSimMovingObjectAgent(const char* objectName)
    : _ObjectName(objectName),
      _X(0),
      _Y(0),
      _Z(0),
      _Steps(0),
      _Enabled(1),
      _IgnoreValues(0),
      _Priority(SimAgentPriorityNormal),
      _Type(SimAgentTypeCompute) {}

NUVSimMovingObjectAgent::~NUVSimMovingObjectAgent() = default;

long NUVSimMovingObjectAgent::QueryInterface(const NUVIID& iid, void** out) {
  if (out && iid == NUVISimAgentKeyFrame::ClassId()) {
    *out = NUVTieFindOrCreate<KeyFrameTie>(this);
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  if (out && iid == NUVISimAgentNegociatedTime::ClassId()) {
    *out = NUVTieFindOrCreate<NegociatedTimeTie>(this);
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  return NUVBaseUnknown::QueryInterface(iid, out);
}

void NUVSimMovingObjectAgent::AddWayPoint(const NUVSimValue& iAt, double iX, double iY, double iZ) {
  auto it = _Path.begin();
  while (it != _Path.end() && it->at < iAt) ++it;
  if (it != _Path.end() && it->at == iAt) {
    *it = {iAt, iX, iY, iZ};
  } else {
    _Path.insert(it, {iAt, iX, iY, iZ});
  }
}

void NUVSimMovingObjectAgent::GetPosition(double& oX, double& oY, double& oZ) const {
  oX = _X;
  oY = _Y;
  oZ = _Z;
}

long NUVSimMovingObjectAgent::Init() {
  _Steps = 0;
  _IgnoreValues = 0;
  return S_OK;
}

long NUVSimMovingObjectAgent::Clean() { return S_OK; }
long NUVSimMovingObjectAgent::Activate() { return S_OK; }
long NUVSimMovingObjectAgent::Deactivate() { return S_OK; }

long NUVSimMovingObjectAgent::ReInitData(const SimReInitParameter&) {
  _Steps = 0;
  return S_OK;
}

long NUVSimMovingObjectAgent::SetCurrentSimValue(const NUVSimValue& iValue) {
  if (!_IgnoreValues) _Current = iValue;
  return S_OK;
}

long NUVSimMovingObjectAgent::SetCurrentMode(int) { return S_OK; }

long NUVSimMovingObjectAgent::Compute() {
  if (_FirstCost > 0) {
    // Busy, as a computation is: the time shows on the real-time clock.
    const double cost = std::min(_FirstCost * std::pow(_CostGrowth, _Steps), 200000.0);
    auto until =
        std::chrono::steady_clock::now() + std::chrono::duration<double, std::micro>(cost);
    while (std::chrono::steady_clock::now() < until) {
    }
  }
  if (_Path.empty()) return S_OK;
  const WayPoint& first = _Path.front();
  const WayPoint& last = _Path.back();
  if (_Current <= first.at) {
    _X = first.x, _Y = first.y, _Z = first.z;
    return S_OK;
  }
  if (_Current >= last.at) {
    _X = last.x, _Y = last.y, _Z = last.z;
    return S_OK;
  }
  size_t i = 1;
  while (_Path[i].at < _Current) ++i;
  const WayPoint& a = _Path[i - 1];
  const WayPoint& b = _Path[i];
  // The fraction along the segment, from exact differences.
  double span = (b.at - a.at).GetValue();
  double t = span > 0 ? (_Current - a.at).GetValue() / span : 1.0;
  _X = a.x + (b.x - a.x) * t;
  _Y = a.y + (b.y - a.y) * t;
  _Z = a.z + (b.z - a.z) * t;
  return S_OK;
}

long NUVSimMovingObjectAgent::Commit() {
  _IgnoreValues = 0;
  ++_Steps;
  return S_OK;
}

long NUVSimMovingObjectAgent::GetComputeStatus(SimComputeStatus& oStatus) {
  oStatus = SimComputeOK;
  return S_OK;
}

long NUVSimMovingObjectAgent::GetLoopStatus(SimLoopStatus& oStatus) {
  oStatus = SimLoopContinue;
  return S_OK;
}

long NUVSimMovingObjectAgent::GetNextProposedValue(NUVSimValue& oValue) {
  for (const WayPoint& w : _Path) {
    if (w.at > _Current) {
      oValue = w.at;
      return S_OK;
    }
  }
  oValue = NUVSimValue(-1.0);
  return S_OK;
}

long NUVSimMovingObjectAgent::Reset() { return S_OK; }

long NUVSimMovingObjectAgent::ComputeNextIteration(unsigned int iOn) {
  _IgnoreValues = iOn ? 1 : 0;
  return S_OK;
}

long NUVSimMovingObjectAgent::GetPriority(SimAgentPriority& oPriority) {
  oPriority = _Priority;
  return S_OK;
}

long NUVSimMovingObjectAgent::SetPriority(SimAgentPriority iPriority) {
  _Priority = iPriority;
  return S_OK;
}

long NUVSimMovingObjectAgent::GetSubPriority(unsigned int& oSubPriority) {
  oSubPriority = 100;
  return S_OK;
}

long NUVSimMovingObjectAgent::GetType(SimAgentType& oType) {
  oType = _Type;
  return S_OK;
}

long NUVSimMovingObjectAgent::SetType(SimAgentType iType) {
  _Type = iType;
  return S_OK;
}

long NUVSimMovingObjectAgent::SetSimulationController(NUVISimControllerKeyFrame_var& iController,
                                                      unsigned char) {
  _KeyFrameController = iController;
  return S_OK;
}

long NUVSimMovingObjectAgent::SetSimulationController(
    NUVISimControllerNegociatedTime_var& iController, unsigned char) {
  _NegociatedTimeController = iController;
  return S_OK;
}

long NUVSimMovingObjectAgent::GetSimulationController(NUVISimControllerKeyFrame_var& oController) {
  oController = _KeyFrameController;
  return S_OK;
}

long NUVSimMovingObjectAgent::GetSimulationController(
    NUVISimControllerNegociatedTime_var& oController) {
  oController = _NegociatedTimeController;
  return S_OK;
}

long NUVSimMovingObjectAgent::GetEnabled(unsigned char& oEnabled) {
  oEnabled = _Enabled;
  return S_OK;
}

long NUVSimMovingObjectAgent::SetEnabled(unsigned char iEnabled) {
  _Enabled = iEnabled ? 1 : 0;
  return S_OK;
}
