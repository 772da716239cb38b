#include "NUV4x4Matrix.h"

#include <cmath>

#include "NUVResultCodes.h"

NUV4x4Matrix::NUV4x4Matrix() {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) _M[r][c] = r == c ? 1.0 : 0.0;
}

NUV4x4Matrix::NUV4x4Matrix(const NUVMathTransformation& t) : NUV4x4Matrix() {
  double coef[12];
  t.GetCoef(coef, 12);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) _M[r][c] = coef[3 * c + r];
    _M[r][3] = coef[9 + r];
  }
}

NUVMathTransformation NUV4x4Matrix::GetTransformation() const {
  double coef[12];
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) coef[3 * c + r] = _M[r][c];
    coef[9 + r] = _M[r][3];
  }
  return NUVMathTransformation(coef);
}

long NUV4x4Matrix::GetInvertedMatrix(NUV4x4Matrix& oInverse) const {
  // Gauss-Jordan elimination with partial pivoting on [M | I].
  double a[4][8];
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 8; ++c) a[r][c] = c < 4 ? _M[r][c] : (c - 4 == r ? 1.0 : 0.0);
  for (int col = 0; col < 4; ++col) {
    int pivot = col;
    for (int r = col + 1; r < 4; ++r)
      if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
    const double p = a[pivot][col];
    if (p == 0.0 || !std::isfinite(p)) return E_FAIL;
    if (pivot != col)
      for (int c = 0; c < 8; ++c) {
        const double tmp = a[col][c];
        a[col][c] = a[pivot][c];
        a[pivot][c] = tmp;
      }
    for (int c = 0; c < 8; ++c) a[col][c] /= p;
    for (int r = 0; r < 4; ++r) {
      if (r == col || a[r][col] == 0.0) continue;
      const double f = a[r][col];
      for (int c = 0; c < 8; ++c) a[r][c] -= f * a[col][c];
    }
  }
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (!std::isfinite(a[r][c + 4])) return E_FAIL;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) oInverse._M[r][c] = a[r][c + 4];
  return S_OK;
}
