// NUVMathTransformation: an affine transformation of 3D space (a 3x3 linear
// part and a translation); the identity by default.
//
//   NUVMathTransformation place = NUVMathTransformation::Translation(NUVMathVector(5, 0, 0));
//   NUVMathPoint p = place * NUVMathPoint(1, 0, 0);            // (6, 0, 0)
//   NUVMathTransformation both = turn * place;                 // turn, then place
//
// Coefficients (GetCoef, the twelve-value constructor): coefficient 3j+i is
// the factor of input coordinate j in output coordinate i, and 9+i is the
// constant term of output coordinate i (i, j: 0 x, 1 y, 2 z):
//   out_i = c[i] * in_x + c[3+i] * in_y + c[6+i] * in_z + c[9+i]
// So c[0..2], c[3..5], c[6..8] are the images of the x, y and z unit
// vectors, and c[9..11] the image of the origin.
//
// Product order: A * B applies A first and then B, the order in which a point
// passes through them: (A * B) * p == B * (A * p). A chain of placements is
// written from the inside out: (child in parent) * (parent in world).
// Threading: a value; no shared state.
#ifndef NUVMathTransformation_h
#define NUVMathTransformation_h

#include "NUVMathPoint.h"
#include "NUVMathVector.h"

class VPL_EXPORT NUVMathTransformation {
 public:
  NUVMathTransformation()
      : _Coef{1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0}, _Rigid(1) {}
  // From twelve coefficients in the order above (treated as a general
  // transformation).
  explicit NUVMathTransformation(const double coef[12]);

  static NUVMathTransformation Translation(const NUVMathVector& offset);
  // Rotation by `angle` radians about `axis` through the origin, counter-
  // clockwise when the axis points at the viewer. A zero axis gives the
  // identity.
  static NUVMathTransformation Rotation(const NUVMathVector& axis, double angle);

  // Copies the coefficients into `coef` (`count` of them, at most 12).
  void GetCoef(double* coef, int count) const {
    if (!coef) return;
    if (count > 12) count = 12;
    for (int k = 0; k < count; ++k) coef[k] = _Coef[k];
  }
  // The inverse into `oInverse`: S_OK, or E_FAIL with `oInverse` untouched
  // when the linear part is singular or not finite.
  long ComputeInverse(NUVMathTransformation& oInverse) const;
  int IsIdentity() const;
  // Whether the transformation is known to be a rotation and a translation
  // (made from Rotation, Translation and their products and inverses);
  // such an inverse is a transpose, without a division.
  int IsRigid() const { return _Rigid; }

  VPL_EXPORT friend NUVMathTransformation operator*(const NUVMathTransformation& first,
                                                    const NUVMathTransformation& then);
  VPL_EXPORT friend NUVMathPoint operator*(const NUVMathTransformation& t, const NUVMathPoint& p);
  // A vector is carried by the linear part only.
  VPL_EXPORT friend NUVMathVector operator*(const NUVMathTransformation& t, const NUVMathVector& v);

 private:
  double _Coef[12];
  unsigned char _Rigid;
};

#endif
