// NUVSimValue against exact decimal arithmetic, for random values within
// +-1e12 with nine decimals.
#include "PropertySupport.h"

// Every comparison at once, one bit each.
template <class T>
int Order(const T& x, const T& y) {
  return (x < y) + 2 * (x == y) + 4 * (x != y) + 8 * (x <= y) + 16 * (x >= y) + 32 * (x > y);
}

TEST(SimValueProperty, ArithmeticOrderAndStepCountMatchExactDecimals) {
  PROPERTY_RANDOM(random);
  const Nano limit = Nano(1000000000000LL) * kNanoScale;
  for (int i = 0; i < 200000; ++i) {
    const Nano an = RandomNano(random, limit) * (random() % 2 ? 1 : -1);
    const Nano bn = i % 10 == 0 ? an : RandomNano(random, limit) * (random() % 2 ? 1 : -1);
    const NUVSimValue a = FromNano(an), b = FromNano(bn);
    ASSERT_EQ(NanoOf(a + b), an + bn) << a.GetValue() << " + " << b.GetValue();
    ASSERT_EQ(NanoOf(a - b), an - bn) << a.GetValue() << " - " << b.GetValue();
    ASSERT_EQ(a + b - b, a);
    ASSERT_EQ((a < b) + (a == b) + (a > b), 1) << "exactly one holds";
    ASSERT_EQ(Order(a, b), Order(an, bn));
    // Pacing moves a distance d by floor(d / s) + 1 steps s: the first
    // multiple of s strictly past d. Counts travel as doubles.
    const Nano dn = an < bn ? bn - an : an - bn, sn = RandomNano(random, limit);
    if (dn / sn >= (Nano(1) << 53)) continue;
    NUVSimValue quotient = FromNano(dn), move = FromNano(sn);
    quotient /= FromNano(sn);
    ASSERT_EQ(quotient.GetWholePart(), dn / sn) << "count of " << move.GetValue();
    move *= NUVSimValue(static_cast<double>(dn / sn + 1));
    ASSERT_EQ(NanoOf(move), sn * (dn / sn + 1));
  }
}
