// NUV4x4Matrix: a homogeneous 4x4 matrix, the form in which representations
// keep their placement; the identity by default.
//
//   NUV4x4Matrix m(NUVMathTransformation::Translation(NUVMathVector(0, 0, 2)));
//   NUV4x4Matrix back; m.GetInvertedMatrix(back);
//
// Element (row, column) acts on column vectors (x, y, z, 1): the first three
// rows give the output coordinates, the fourth row is (0, 0, 0, 1) for an
// affine matrix.
// Threading: a value; no shared state.
#ifndef NUV4x4Matrix_h
#define NUV4x4Matrix_h

#include "NUVMathTransformation.h"

class VPL_EXPORT NUV4x4Matrix {
 public:
  NUV4x4Matrix();
  explicit NUV4x4Matrix(const NUVMathTransformation& t);

  double Get(int row, int column) const { return _M[row][column]; }
  void Set(int row, int column, double value) { _M[row][column] = value; }
  // The affine part as a transformation (the fourth row is not read).
  NUVMathTransformation GetTransformation() const;
  // The inverse into `oInverse`: S_OK, or E_FAIL with `oInverse` untouched
  // when the matrix is singular or not finite.
  long GetInvertedMatrix(NUV4x4Matrix& oInverse) const;

 private:
  double _M[4][4];
};

#endif
