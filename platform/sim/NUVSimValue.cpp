#include "NUVSimValue.h"

#include <cfloat>
#include <cmath>

const double NUVSimValue::DblMax = DBL_MAX;

namespace {

const long long kScale = NUVSimValue::FineScale;
const long long kMax = 0x7fffffffffffffffLL;
const long long kMin = -kMax - 1;
// 2^63 as a double: the first double no whole part can hold.
const double kTwoPow63 = 9223372036854775808.0;

// Quotient rounded toward negative infinity (C++ truncates toward zero).
template <class Int>
Int FloorDiv(Int n, Int d) {
  Int q = n / d;
  if ((n % d != 0) && ((n < 0) != (d < 0))) --q;
  return q;
}

bool AddOverflows(long long a, long long b) {
  return (b > 0 && a > kMax - b) || (b < 0 && a < kMin - b);
}
bool SubOverflows(long long a, long long b) {
  return (b < 0 && a > kMax + b) || (b > 0 && a < kMin + b);
}

// -1, 0 or 1 for the infinities and the finite values.
int InfinityOf(const NUVSimValue& v) {
  return v.IsPositiveInfinity() ? 1 : (v.IsNegativeInfinity() ? -1 : 0);
}

}  // namespace

void NUVSimValue::SetValue(double value) {
  if (std::isnan(value)) {
    _Whole = 0;
    _Fine = 0;
    return;
  }
  if (value >= kTwoPow63) {
    SetPositiveInfinity();
    return;
  }
  if (value <= -kTwoPow63) {
    SetNegativeInfinity();
    return;
  }
  double floorPart = std::floor(value);
  // Exact in binary floating point: the fraction has fewer significant bits
  // than the value itself.
  long long fine = std::llround((value - floorPart) * 1e9);
  long long whole = static_cast<long long>(floorPart);
  if (fine >= kScale) {
    fine -= kScale;
    if (whole == kMax) {
      SetPositiveInfinity();
      return;
    }
    ++whole;
  }
  _Whole = whole;
  _Fine = static_cast<int>(fine);
}

void NUVSimValue::Set(long long whole, int fine) {
  long long carry = FloorDiv<long long>(fine, kScale);
  long long rest = fine - carry * kScale;
  if (AddOverflows(whole, carry)) {
    if (carry > 0)
      SetPositiveInfinity();
    else
      SetNegativeInfinity();
    return;
  }
  _Whole = whole + carry;
  _Fine = static_cast<int>(rest);
}

double NUVSimValue::GetValue() const {
  if (IsPositiveInfinity()) return DblMax;
  if (IsNegativeInfinity()) return -DblMax;
  return static_cast<double>(_Whole) + static_cast<double>(_Fine) / 1e9;
}

NUVSimValue& NUVSimValue::operator+=(const NUVSimValue& other) {
  int a = InfinityOf(*this), b = InfinityOf(other);
  if (a || b) {
    if (a && b && a != b)
      *this = NUVSimValue();
    else if (!a)
      *this = other;
    return *this;
  }
  if (AddOverflows(_Whole, other._Whole)) {
    if (other._Whole > 0)
      SetPositiveInfinity();
    else
      SetNegativeInfinity();
    return *this;
  }
  long long whole = _Whole + other._Whole;
  int fine = _Fine + other._Fine;  // below 2e9: fits
  if (fine >= FineScale) {
    fine -= FineScale;
    if (whole == kMax) {
      SetPositiveInfinity();
      return *this;
    }
    ++whole;
  }
  _Whole = whole;
  _Fine = fine;
  return *this;
}

NUVSimValue& NUVSimValue::operator-=(const NUVSimValue& other) {
  int a = InfinityOf(*this), b = InfinityOf(other);
  if (a || b) {
    if (a && b && a == b)
      *this = NUVSimValue();
    else if (!a) {
      if (b > 0)
        SetNegativeInfinity();
      else
        SetPositiveInfinity();
    }
    return *this;
  }
  if (SubOverflows(_Whole, other._Whole)) {
    if (other._Whole < 0)
      SetPositiveInfinity();
    else
      SetNegativeInfinity();
    return *this;
  }
  long long whole = _Whole - other._Whole;
  int fine = _Fine - other._Fine;
  if (fine < 0) {
    fine += FineScale;
    if (whole == kMin) {
      SetNegativeInfinity();
      return *this;
    }
    --whole;
  }
  _Whole = whole;
  _Fine = fine;
  return *this;
}

#if defined(__SIZEOF_INT128__)
namespace {
typedef __int128 Wide;
const Wide kWideScale = kScale;

// A count of nanounits back into components, saturating out of range.
NUVSimValue FromNano(Wide nano) {
  Wide whole = FloorDiv<Wide>(nano, kWideScale);
  if (whole > kMax) return NUVSimValue(NUVSimValue::DblMax);
  if (whole < kMin) return NUVSimValue(-NUVSimValue::DblMax);
  return NUVSimValue(static_cast<long long>(whole), static_cast<int>(nano - whole * kWideScale));
}

Wide ToNano(long long whole, int fine) { return static_cast<Wide>(whole) * kWideScale + fine; }
}  // namespace
#endif

NUVSimValue& NUVSimValue::operator*=(const NUVSimValue& other) {
  int sa = Sign(), sb = other.Sign();
  if (IsInfinite() || other.IsInfinite()) {
    if (sa == 0 || sb == 0)
      *this = NUVSimValue();
    else if (sa * sb > 0)
      SetPositiveInfinity();
    else
      SetNegativeInfinity();
    return *this;
  }
  const long long lim = 0x80000000LL;
  if (_Whole >= -lim && _Whole < lim && other._Whole >= -lim && other._Whole < lim) {
    // (aw + af/S)(bw + bf/S) = aw*bw + (aw*bf + af*bw + af*bf/S) / S, every
    // term within 64 bits for whole parts below 2^31.
    long long aw = _Whole, af = _Fine, bw = other._Whole, bf = other._Fine;
    long long nano = aw * bf + af * bw + (af * bf + kScale / 2) / kScale;
    long long carry = FloorDiv(nano, kScale);
    _Whole = aw * bw + carry;
    _Fine = static_cast<int>(nano - carry * kScale);
    return *this;
  }
#if defined(__SIZEOF_INT128__)
  // A * B / S = A * bw + A * bf / S for A in nanounits: no 128-bit overflow
  // for any in-range result.
  Wide a = ToNano(_Whole, _Fine);
  Wide wholeTerm;
  if (__builtin_mul_overflow(a, static_cast<Wide>(other._Whole), &wholeTerm)) {
    if (sa * sb > 0)
      SetPositiveInfinity();
    else
      SetNegativeInfinity();
    return *this;
  }
  // Far beyond any whole part: saturate before the sum below could overflow.
  const Wide farLimit = static_cast<Wide>(1) << 120;
  if (wholeTerm > farLimit || wholeTerm < -farLimit) {
    if (wholeTerm > 0)
      SetPositiveInfinity();
    else
      SetNegativeInfinity();
    return *this;
  }
  Wide fineTerm = FloorDiv<Wide>(a * other._Fine + kWideScale / 2, kWideScale);
  *this = FromNano(wholeTerm + fineTerm);
#else
  long double product = static_cast<long double>(GetValue()) * other.GetValue();
  SetValue(static_cast<double>(product));
#endif
  return *this;
}

NUVSimValue& NUVSimValue::operator/=(const NUVSimValue& other) {
  int sa = Sign(), sb = other.Sign();
  if (sb == 0) {
    if (sa > 0)
      SetPositiveInfinity();
    else if (sa < 0)
      SetNegativeInfinity();
    return *this;
  }
  if (IsInfinite()) {
    if (other.IsInfinite())
      *this = NUVSimValue();
    else if (sa * sb > 0)
      SetPositiveInfinity();
    else
      SetNegativeInfinity();
    return *this;
  }
  if (other.IsInfinite()) {
    *this = NUVSimValue();
    return *this;
  }
  // Dividend times S must fit 64 bits: whole parts in [-9, 8].
  if (_Whole >= -9 && _Whole <= 8 && other._Whole >= -9000000000LL &&
      other._Whole <= 9000000000LL) {
    long long a = _Whole * kScale + _Fine;
    long long b = other._Whole * kScale + other._Fine;
    long long q = FloorDiv(a * kScale, b);
    long long whole = FloorDiv(q, kScale);
    _Whole = whole;
    _Fine = static_cast<int>(q - whole * kScale);
    return *this;
  }
#if defined(__SIZEOF_INT128__)
  Wide a = ToNano(_Whole, _Fine);
  Wide b = ToNano(other._Whole, other._Fine);
  *this = FromNano(FloorDiv<Wide>(a * kWideScale, b));
#else
  long double quotient = static_cast<long double>(GetValue()) / other.GetValue();
  SetValue(static_cast<double>(quotient));
#endif
  return *this;
}
