#include "NUVMathTransformation.h"

#include <cmath>

#include "NUVResultCodes.h"

NUVMathTransformation::NUVMathTransformation(const double coef[12]) : _Rigid(0) {
  for (int k = 0; k < 12; ++k) _Coef[k] = coef[k];
}

NUVMathTransformation NUVMathTransformation::Translation(const NUVMathVector& v) {
  NUVMathTransformation t;
  t._Coef[9] = v.x;
  t._Coef[10] = v.y;
  t._Coef[11] = v.z;
  return t;
}

NUVMathTransformation NUVMathTransformation::Rotation(const NUVMathVector& axis, double angle) {
  NUVMathTransformation t;
  const double n = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
  if (!(n > 0.0)) return t;
  const double u[3] = {axis.x / n, axis.y / n, axis.z / n};
  const double c = std::cos(angle), s = std::sin(angle);
  // Rodrigues: R = c I + s [u]x + (1 - c) u u^T; column j is the image of e_j.
  for (int j = 0; j < 3; ++j) {
    for (int i = 0; i < 3; ++i) {
      double r = (1.0 - c) * u[i] * u[j] + (i == j ? c : 0.0);
      // [u]x has entry (i, j) = -eps(i, j, k) u_k.
      const int k = 3 - i - j;
      if (i != j) r += s * (((j - i + 3) % 3 == 1) ? -u[k] : u[k]);
      t._Coef[3 * j + i] = r;
    }
  }
  return t;
}

long NUVMathTransformation::ComputeInverse(NUVMathTransformation& oInverse) const {
  const double* c = _Coef;
  if (_Rigid) {
    // The linear part is orthonormal: its inverse is its transpose.
    double inv[12];
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 3; ++i) inv[3 * j + i] = c[3 * i + j];
    for (int i = 0; i < 3; ++i)
      inv[9 + i] = -(inv[i] * c[9] + inv[3 + i] * c[10] + inv[6 + i] * c[11]);
    for (int k = 0; k < 12; ++k) oInverse._Coef[k] = inv[k];
    oInverse._Rigid = 1;
    return S_OK;
  }
  // Linear part as rows: m[i][j] = c[3j+i].
  const double a = c[0], b = c[3], d = c[6];
  const double e = c[1], f = c[4], g = c[7];
  const double h = c[2], k = c[5], l = c[8];
  const double A = f * l - g * k, B = g * h - e * l, C = e * k - f * h;
  const double det = a * A + b * B + d * C;
  if (det == 0.0 || !std::isfinite(det)) return E_FAIL;
  const double r = 1.0 / det;
  // Written in place: the output is not the input (a copy of it otherwise).
  NUVMathTransformation copy;
  double* inv = &oInverse == this ? copy._Coef : oInverse._Coef;
  // Rows of the inverse: row i, column j goes to inv[3j+i].
  inv[0] = A * r;
  inv[3] = (d * k - b * l) * r;
  inv[6] = (b * g - d * f) * r;
  inv[1] = B * r;
  inv[4] = (a * l - d * h) * r;
  inv[7] = (d * e - a * g) * r;
  inv[2] = C * r;
  inv[5] = (b * h - a * k) * r;
  inv[8] = (a * f - b * e) * r;
  for (int i = 0; i < 3; ++i)
    inv[9 + i] = -(inv[i] * c[9] + inv[3 + i] * c[10] + inv[6 + i] * c[11]);
  if (&oInverse == this) oInverse = copy;
  oInverse._Rigid = 0;
  return S_OK;
}

int NUVMathTransformation::IsIdentity() const {
  const NUVMathTransformation id;
  for (int k = 0; k < 12; ++k)
    if (_Coef[k] != id._Coef[k]) return 0;
  return 1;
}

NUVMathTransformation operator*(const NUVMathTransformation& first,
                                const NUVMathTransformation& then) {
  // then(first(p)): linear parts multiply as then.L * first.L; the constant
  // is then applied to first's constant.
  const double* a = first._Coef;
  const double* b = then._Coef;
  NUVMathTransformation t;
  double* o = t._Coef;
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i)
      o[3 * j + i] = b[i] * a[3 * j] + b[3 + i] * a[3 * j + 1] + b[6 + i] * a[3 * j + 2];
  for (int i = 0; i < 3; ++i) o[9 + i] = b[i] * a[9] + b[3 + i] * a[10] + b[6 + i] * a[11] + b[9 + i];
  t._Rigid = first._Rigid && then._Rigid;
  return t;
}

NUVMathPoint operator*(const NUVMathTransformation& t, const NUVMathPoint& p) {
  const double* c = t._Coef;
  return NUVMathPoint(c[0] * p.x + c[3] * p.y + c[6] * p.z + c[9],
                      c[1] * p.x + c[4] * p.y + c[7] * p.z + c[10],
                      c[2] * p.x + c[5] * p.y + c[8] * p.z + c[11]);
}

NUVMathVector operator*(const NUVMathTransformation& t, const NUVMathVector& v) {
  const double* c = t._Coef;
  return NUVMathVector(c[0] * v.x + c[3] * v.y + c[6] * v.z, c[1] * v.x + c[4] * v.y + c[7] * v.z,
                       c[2] * v.x + c[5] * v.y + c[8] * v.z);
}
