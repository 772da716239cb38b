#include "NUVPLMStateMonitor.h"

NUV_IMPLEMENT_CLASS(NUVPLMStateMonitor, NUVIPLMStateMonitor, "VelloranPlatform")

NUVPLMStateMonitor::NUVPLMStateMonitor() = default;

NUVPLMStateMonitor::~NUVPLMStateMonitor() {
  std::unordered_map<NUVBaseUnknown*, NUVMathTransformation> positions;
  positions.swap(_Positions);
  for (auto& entry : positions) entry.first->Release();
}

long NUVPLMStateMonitor::GetPosition(NUVBaseUnknown* iObject, NUVFrmWindow*,
                                     NUVMathTransformation& oPosition, void*, int) {
  if (iObject) {
    auto it = _Positions.find(iObject->GetImpl());
    if (it != _Positions.end()) {
      oPosition = it->second;
      return S_OK;
    }
  }
  oPosition = NUVMathTransformation();
  return E_FAIL;
}

long NUVPLMStateMonitor::SetPlacement(NUVBaseUnknown* iObject,
                                      const NUVMathTransformation& iPlacement) {
  if (!iObject) return E_INVALIDARG;
  NUVMathTransformation position;
  if (iPlacement.ComputeInverse(position) != S_OK) return E_FAIL;
  NUVBaseUnknown* key = iObject->GetImpl();
  auto inserted = _Positions.emplace(key, position);
  if (inserted.second)
    key->AddRef();
  else
    inserted.first->second = position;
  return S_OK;
}

void NUVPLMStateMonitor::RemovePlacement(NUVBaseUnknown* iObject) {
  if (!iObject) return;
  auto it = _Positions.find(iObject->GetImpl());
  if (it == _Positions.end()) return;
  NUVBaseUnknown* key = it->first;
  _Positions.erase(it);
  key->Release();
}
