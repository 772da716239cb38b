#include "NUVSimNotification.h"

NUV_IMPLEMENT_CLASS(NUVSimNotification, NUVNotification, "VelloranPlatform")

NUVSimNotification::NUVSimNotification() : _ComputeStatus(SimComputeOK), _LoopStatus(SimLoopUnset) {}

NUVSimNotification::~NUVSimNotification() = default;

long NUVSimNotification::GetValue(NUVSimValue& oValue) const {
  oValue = _Value;
  return S_OK;
}

long NUVSimNotification::SetValue(const NUVSimValue& iValue) {
  _Value = iValue;
  return S_OK;
}

long NUVSimNotification::GetComputeStatus(SimComputeStatus& oStatus) const {
  oStatus = _ComputeStatus;
  return S_OK;
}

long NUVSimNotification::SetComputeStatus(SimComputeStatus iStatus) {
  _ComputeStatus = iStatus;
  return S_OK;
}

long NUVSimNotification::GetLoopStatus(SimLoopStatus& oStatus) const {
  oStatus = _LoopStatus;
  return S_OK;
}

long NUVSimNotification::SetLoopStatus(SimLoopStatus iStatus) {
  _LoopStatus = iStatus;
  return S_OK;
}
