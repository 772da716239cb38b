// NUVMathPoint: a point of 3D space, three doubles x, y, z; (0, 0, 0) by
// default. A plain value.
//
//   NUVMathPoint corner(1.0, 2.0, 0.5);
//   NUVMathPoint moved = position * corner;   // see NUVMathTransformation
//
// Threading: a value; no shared state.
#ifndef NUVMathPoint_h
#define NUVMathPoint_h

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVMathPoint {
 public:
  NUVMathPoint() : x(0.0), y(0.0), z(0.0) {}
  NUVMathPoint(double ix, double iy, double iz) : x(ix), y(iy), z(iz) {}

  // Coordinate i (0 x, 1 y, 2 z); other indices give z.
  double GetCoord(int i) const { return i == 0 ? x : i == 1 ? y : z; }
  void SetCoord(double ix, double iy, double iz) {
    x = ix;
    y = iy;
    z = iz;
  }
  bool operator==(const NUVMathPoint& o) const { return x == o.x && y == o.y && z == o.z; }
  bool operator!=(const NUVMathPoint& o) const { return !(*this == o); }

  double x, y, z;
};

#endif
