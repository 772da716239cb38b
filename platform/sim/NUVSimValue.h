// NUVSimValue: a simulated time or step value that does not drift.
//
// A value is a signed 64-bit whole part and a signed 32-bit fine part that
// counts billionths (nanounits) of one whole unit: the value is
// whole + fine / 1e9, with whole = floor(value) and fine in [0, 1e9). So
// -0.25 is (-1, 750000000). Decimal steps are exact: ten additions of 0.1
// give exactly the value built from 1.0. Ordering the components, whole part
// first then fine part, both signed, is the order of the values, negative
// values included.
//
//   NUVSimValue t(0.0), step(0.1);
//   for (int i = 0; i < 10; ++i) t += step;   // t == NUVSimValue(1.0)
//
// Bounds. Values saturate: (INT64_MAX, 999999999) is the greatest value and
// stands for +infinity, (INT64_MIN, 0) the smallest and stands for -infinity.
// A double at or above 2^63 (DblMax, +inf) builds the greatest value, at or
// below -2^63 the smallest; NaN builds the empty value. The infinities absorb
// finite operands (DblMax - 1 is still DblMax); undefined forms such as
// (+inf) + (-inf), inf * 0 or inf / inf give the empty value. Results beyond
// the range saturate to the infinity of their sign.
//
// Arithmetic. + and - are exact. * is exact up to rounding of the result to
// the nearest nanounit (halves upward). / truncates the quotient downward to
// the nanounit, so the whole part of a non-negative quotient is exactly its
// integer part (0.3 / 0.1 gives 3, 0.05 / 0.1 gives 0.5). Dividing a
// non-zero value by zero gives the infinity of the dividend's sign; 0 / 0
// stays 0.
//
// Threading: a plain value; no shared state.
#ifndef NUVSimValue_h
#define NUVSimValue_h

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVSimValue {
 public:
  // The largest double; a value built from it is greater than every other.
  static const double DblMax;
  // Fine units per whole unit.
  static const int FineScale = 1000000000;

  NUVSimValue() : _Whole(0), _Fine(0) {}
  NUVSimValue(double value) { SetValue(value); }
  // A fine part outside [0, 1e9) carries into the whole part.
  NUVSimValue(long long whole, int fine) { Set(whole, fine); }

  void SetValue(double value);
  void Set(long long whole, int fine);

  long long GetWholePart() const { return _Whole; }
  int GetFinePart() const { return _Fine; }
  // The nearest double; DblMax and -DblMax for the two infinities.
  double GetValue() const;

  bool IsPositiveInfinity() const { return _Whole == kWholeMax && _Fine == FineScale - 1; }
  bool IsNegativeInfinity() const { return _Whole == kWholeMin && _Fine == 0; }

  NUVSimValue& operator+=(const NUVSimValue& other);
  NUVSimValue& operator-=(const NUVSimValue& other);
  NUVSimValue& operator*=(const NUVSimValue& other);
  NUVSimValue& operator/=(const NUVSimValue& other);

  friend NUVSimValue operator+(NUVSimValue a, const NUVSimValue& b) { return a += b; }
  friend NUVSimValue operator-(NUVSimValue a, const NUVSimValue& b) { return a -= b; }
  friend NUVSimValue operator*(NUVSimValue a, const NUVSimValue& b) { return a *= b; }
  friend NUVSimValue operator/(NUVSimValue a, const NUVSimValue& b) { return a /= b; }

  bool operator==(const NUVSimValue& o) const { return _Whole == o._Whole && _Fine == o._Fine; }
  bool operator!=(const NUVSimValue& o) const { return !(*this == o); }
  bool operator<(const NUVSimValue& o) const {
    return _Whole < o._Whole || (_Whole == o._Whole && _Fine < o._Fine);
  }
  bool operator>(const NUVSimValue& o) const { return o < *this; }
  bool operator<=(const NUVSimValue& o) const { return !(o < *this); }
  bool operator>=(const NUVSimValue& o) const { return !(*this < o); }

 private:
  static const long long kWholeMax = 0x7fffffffffffffffLL;
  static const long long kWholeMin = -kWholeMax - 1;

  void SetPositiveInfinity() {
    _Whole = kWholeMax;
    _Fine = FineScale - 1;
  }
  void SetNegativeInfinity() {
    _Whole = kWholeMin;
    _Fine = 0;
  }
  bool IsInfinite() const { return IsPositiveInfinity() || IsNegativeInfinity(); }
  // -1, 0 or 1.
  int Sign() const { return _Whole < 0 ? -1 : (_Whole == 0 && _Fine == 0 ? 0 : 1); }

  long long _Whole;
  int _Fine;  // always in [0, FineScale)
};

#endif
