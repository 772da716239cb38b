#include "NUVMathBox.h"

#include <limits>

NUVMathBox::NUVMathBox() {
  const double inf = std::numeric_limits<double>::infinity();
  _Low.SetCoord(inf, inf, inf);
  _High.SetCoord(-inf, -inf, -inf);
}

void NUVMathBox::AddInside(const NUVMathPoint& p) {
  if (IsEmpty()) {
    _Low = p;
    _High = p;
    return;
  }
  if (p.x < _Low.x) _Low.x = p.x;
  if (p.y < _Low.y) _Low.y = p.y;
  if (p.z < _Low.z) _Low.z = p.z;
  if (p.x > _High.x) _High.x = p.x;
  if (p.y > _High.y) _High.y = p.y;
  if (p.z > _High.z) _High.z = p.z;
}

unsigned char NUVMathBox::IsContaining(const NUVMathBox& o) const {
  if (IsEmpty() || o.IsEmpty()) return 0;
  return _Low.x <= o._Low.x && _Low.y <= o._Low.y && _Low.z <= o._Low.z && o._High.x <= _High.x &&
         o._High.y <= _High.y && o._High.z <= _High.z;
}

unsigned char NUVMathBox::IsIntersecting(const NUVMathBox& o, double t) const {
  if (IsEmpty() || o.IsEmpty()) return 0;
  return _Low.x - t <= o._High.x && o._Low.x <= _High.x + t && _Low.y - t <= o._High.y &&
         o._Low.y <= _High.y + t && _Low.z - t <= o._High.z && o._Low.z <= _High.z + t;
}
