#include "NUVSimBasicAgent.h"

#include "NUVSimAgentKeyFrameTie.h"
#include "NUVSimAgentNegociatedTimeTie.h"

NUV_IMPLEMENT_CLASS(NUVSimBasicAgent, NUVBaseUnknown, "VelloranPlatform")

namespace {

class KeyFrameTie : public NUVSimAgentKeyFrameTie<NUVSimBasicAgent> {
 public:
  using NUVSimAgentKeyFrameTie::NUVSimAgentKeyFrameTie;
};

class NegociatedTimeTie : public NUVSimAgentNegociatedTimeTie<NUVSimBasicAgent> {
 public:
  using NUVSimAgentNegociatedTimeTie::NUVSimAgentNegociatedTimeTie;
};

}  // namespace

NUVSimBasicAgent::NUVSimBasicAgent(SimAgentType type, SimAgentPriority priority)
    : _Priority(priority), _Type(type) {}

NUVSimBasicAgent::~NUVSimBasicAgent() = default;

long NUVSimBasicAgent::QueryInterface(const NUVIID& iid, void** out) {
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

long NUVSimBasicAgent::Init() {
  _Steps = 0;
  _IgnoreValues = 0;
  return S_OK;
}

long NUVSimBasicAgent::ReInitData(const SimReInitParameter&) {
  _Steps = 0;
  return S_OK;
}

long NUVSimBasicAgent::SetCurrentSimValue(const NUVSimValue& iValue) {
  if (!_IgnoreValues) _Current = iValue;
  return S_OK;
}

long NUVSimBasicAgent::Commit() {
  _IgnoreValues = 0;
  ++_Steps;
  return S_OK;
}

long NUVSimBasicAgent::GetNextProposedValue(NUVSimValue& oValue) {
  oValue = NUVSimValue(-1.0);
  return S_OK;
}

long NUVSimBasicAgent::ComputeNextIteration(unsigned int iOn) {
  _IgnoreValues = iOn ? 1 : 0;
  return S_OK;
}

long NUVSimBasicAgent::SetSimulationController(NUVISimControllerKeyFrame_var& iController,
                                               unsigned char) {
  _KeyFrameController = iController;
  return S_OK;
}

long NUVSimBasicAgent::SetSimulationController(NUVISimControllerNegociatedTime_var& iController,
                                               unsigned char) {
  _NegociatedTimeController = iController;
  return S_OK;
}

long NUVSimBasicAgent::GetSimulationController(NUVISimControllerKeyFrame_var& oController) {
  oController = _KeyFrameController;
  return S_OK;
}

long NUVSimBasicAgent::GetSimulationController(NUVISimControllerNegociatedTime_var& oController) {
  oController = _NegociatedTimeController;
  return S_OK;
}

