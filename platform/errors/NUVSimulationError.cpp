#include "NUVSimulationError.h"

NUV_IMPLEMENT_CLASS(NUVSimulationError, NUVError, "VelloranPlatform")

NUVSimulationError::NUVSimulationError(const char* messageKey, const char* catalog)
    : NUVError(messageKey, catalog), _HasSimValue(0) {}

NUVSimulationError::~NUVSimulationError() = default;

void NUVSimulationError::SetSimValue(const NUVSimValue& value) {
  _SimValue = value;
  _HasSimValue = 1;
}

long NUVSimulationError::GetSimValue(NUVSimValue& oValue) const {
  if (!_HasSimValue) return E_FAIL;
  oValue = _SimValue;
  return S_OK;
}
