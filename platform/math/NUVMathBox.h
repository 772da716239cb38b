// NUVMathBox: an axis-aligned box of 3D space, or the empty box.
//
//   NUVMathBox box;                 // empty
//   box.AddInside(NUVMathPoint(1, 2, 3));
//   box.AddInside(NUVMathPoint(0, 0, 0));   // now (0,1) x (0,2) x (0,3)
//
// The box is empty when its low point exceeds its high point on some axis;
// a default box is empty, and SetLow/SetHigh set one corner each, so a box
// built from an empty one is empty until both are set. Limits that are NaN
// do not make a box empty: they are carried through as they are.
// Threading: a value; no shared state.
#ifndef NUVMathBox_h
#define NUVMathBox_h

#include "NUVMathPoint.h"

class VPL_EXPORT NUVMathBox {
 public:
  NUVMathBox();
  NUVMathBox(const NUVMathPoint& low, const NUVMathPoint& high) : _Low(low), _High(high) {}

  int IsEmpty() const { return _Low.x > _High.x || _Low.y > _High.y || _Low.z > _High.z; }
  // Fills xmin, xmax, ymin, ymax, zmin, zmax and returns 1; an empty box
  // leaves them untouched and returns 0.
  int GetLimits(double& xmin, double& xmax, double& ymin, double& ymax, double& zmin,
                double& zmax) const {
    if (IsEmpty()) return 0;
    xmin = _Low.x;
    xmax = _High.x;
    ymin = _Low.y;
    ymax = _High.y;
    zmin = _Low.z;
    zmax = _High.z;
    return 1;
  }
  const NUVMathPoint& GetLow() const { return _Low; }
  const NUVMathPoint& GetHigh() const { return _High; }
  void SetLow(const NUVMathPoint& low) { _Low = low; }
  void SetHigh(const NUVMathPoint& high) { _High = high; }
  // Grows the box to hold `point`; an empty box becomes that single point.
  void AddInside(const NUVMathPoint& point);
  // Whether `other` lies inside this box, faces included; false when either
  // box is empty.
  unsigned char IsContaining(const NUVMathBox& other) const;
  // Whether the boxes share a point once each is grown by `tolerance` on
  // every side; touching faces intersect with tolerance 0. False when
  // either box is empty.
  unsigned char IsIntersecting(const NUVMathBox& other, double tolerance) const;

 private:
  NUVMathPoint _Low;
  NUVMathPoint _High;
};

#endif
