// NUVSimValue against exact decimal arithmetic on 128-bit counts of
// nanounits, for random values within +-1e12 with nine decimals.
#include <gtest/gtest.h>

#include "NUVSimValue.h"
#include "PropertySeed.h"

namespace {

typedef __int128 Nano;
const Nano kScale = 1000000000;

Nano NanoOf(const NUVSimValue& v) { return Nano(v.GetWholePart()) * kScale + v.GetFinePart(); }

NUVSimValue FromNano(Nano n) {
  Nano whole = n / kScale - (n % kScale < 0 ? 1 : 0);
  return NUVSimValue(static_cast<long long>(whole), static_cast<int>(n - whole * kScale));
}

Nano RandomNano(std::mt19937_64& random, Nano limit) {
  // Every magnitude equally likely, so that small values and nine decimals
  // turn up as often as large ones.
  Nano magnitude = 1;
  for (int digits = random() % 22; digits > 0 && magnitude < limit; --digits) magnitude *= 10;
  unsigned __int128 bits = (static_cast<unsigned __int128>(random()) << 64) | random();
  Nano n = Nano(bits % static_cast<unsigned __int128>(magnitude)) + 1;
  if (n > limit) n = limit;
  return random() % 2 ? -n : n;
}

}  // namespace

TEST(SimValueProperty, ArithmeticOrderAndStepCountMatchExactDecimals) {
  PROPERTY_RANDOM(random);
  const Nano limit = Nano(1000000000000LL) * kScale;  // 1e12
  for (int i = 0; i < 200000; ++i) {
    const Nano an = RandomNano(random, limit), bn = i % 10 == 0 ? an : RandomNano(random, limit);
    const NUVSimValue a = FromNano(an), b = FromNano(bn);
    ASSERT_EQ(NanoOf(a), an);
    ASSERT_EQ(NanoOf(a + b), an + bn) << a.GetValue() << " + " << b.GetValue();
    ASSERT_EQ(NanoOf(a - b), an - bn) << a.GetValue() << " - " << b.GetValue();
    ASSERT_EQ(a + b - b, a);
    // Exactly one of <, == and > holds, as for the decimals.
    ASSERT_EQ((a < b) + (a == b) + (a > b), 1);
    ASSERT_EQ(a < b, an < bn);
    ASSERT_EQ(a == b, an == bn);
    ASSERT_EQ(a != b, an != bn);
    ASSERT_EQ(a <= b, an <= bn);
    ASSERT_EQ(a >= b, an >= bn);
    ASSERT_EQ(a > b, an > bn);

    // Pacing moves a distance d by whole steps s: floor(d / s) + 1 of them,
    // the first multiple of s strictly past d.
    const Nano dn = an < bn ? bn - an : an - bn, sn = RandomNano(random, limit);
    const Nano step = sn < 0 ? -sn : sn;
    if (dn / step >= (Nano(1) << 53)) continue;  // counts travel as doubles
    NUVSimValue quotient = FromNano(dn);
    quotient /= FromNano(step);
    const Nano count = dn / step + 1;
    ASSERT_EQ(quotient.GetWholePart() + 1, count) << "count of " << FromNano(step).GetValue();
    NUVSimValue move = FromNano(step);
    move *= NUVSimValue(static_cast<double>(count));
    ASSERT_EQ(NanoOf(move), step * count);
  }
}
