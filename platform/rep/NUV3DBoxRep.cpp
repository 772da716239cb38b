#include "NUV3DBoxRep.h"

#include <algorithm>
#include <cmath>

#include "NUVRender.h"

NUV_IMPLEMENT_CLASS(NUV3DBoxRep, NUV3DRep, "VelloranPlatform")

NUV3DBoxRep::NUV3DBoxRep(const NUVMathPoint& low, const NUVMathPoint& high)
    : _Low(std::min(low.x, high.x), std::min(low.y, high.y), std::min(low.z, high.z)),
      _High(std::max(low.x, high.x), std::max(low.y, high.y), std::max(low.z, high.z)) {
  const double dx = _High.x - _Low.x, dy = _High.y - _Low.y, dz = _High.z - _Low.z;
  SetBoundingElement(NUV3DBoundingSphere(
      static_cast<float>((_Low.x + _High.x) * 0.5), static_cast<float>((_Low.y + _High.y) * 0.5),
      static_cast<float>((_Low.z + _High.z) * 0.5),
      static_cast<float>(0.5 * std::sqrt(dx * dx + dy * dy + dz * dz)), 1));
}

NUV3DBoxRep::~NUV3DBoxRep() = default;

void NUV3DBoxRep::Draw(NUVRender& render, int) {
  if (!IsHidden()) render.DrawBox(_Low, _High);
}
