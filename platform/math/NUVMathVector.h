// NUVMathVector: a vector of 3D space (a direction or half-extents), three
// doubles x, y, z; (0, 0, 0) by default. A plain value.
//
//   NUVMathVector halfSize(1.0, 1.0, 0.5);
//
// Threading: a value; no shared state.
#ifndef NUVMathVector_h
#define NUVMathVector_h

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVMathVector {
 public:
  NUVMathVector() : x(0.0), y(0.0), z(0.0) {}
  NUVMathVector(double ix, double iy, double iz) : x(ix), y(iy), z(iz) {}

  // Coordinate i (0 x, 1 y, 2 z); other indices give z.
  double GetCoord(int i) const { return i == 0 ? x : i == 1 ? y : z; }
  void SetCoord(double ix, double iy, double iz) {
    x = ix;
    y = iy;
    z = iz;
  }
  bool operator==(const NUVMathVector& o) const { return x == o.x && y == o.y && z == o.z; }
  bool operator!=(const NUVMathVector& o) const { return !(*this == o); }

  double x, y, z;
};

#endif
