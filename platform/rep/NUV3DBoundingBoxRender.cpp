#include "NUV3DBoundingBoxRender.h"

#include "NUVResultCodes.h"

NUV3DBoundingBoxRender::NUV3DBoundingBoxRender(NUVSupport& support,
                                               const NUVMathTransformation& initial)
    : NUVRender(support, initial) {}

void NUV3DBoundingBoxRender::DrawBox(const NUVMathPoint& low, const NUVMathPoint& high) {
  const NUVMathTransformation& t = GetCurrentPlacement();
  for (int k = 0; k < 8; ++k) {
    const NUVMathPoint corner((k & 1) ? high.x : low.x, (k & 2) ? high.y : low.y,
                              (k & 4) ? high.z : low.z);
    _Box.AddInside(t * corner);
  }
}

long NUV3DBoundingBoxRender::GetBoundingBox(NUVMathPoint& oLow, NUVMathPoint& oHigh) const {
  if (_Box.IsEmpty()) return E_FAIL;
  oLow = _Box.GetLow();
  oHigh = _Box.GetHigh();
  return S_OK;
}
