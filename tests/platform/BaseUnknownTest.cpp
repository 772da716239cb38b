#include <gtest/gtest.h>

#include "NUVBaseUnknown_WR.h"
#include "NUVBaseUnknown_var.h"

TEST(BaseUnknown, ReleaseDestroysAtZero) {
  auto* o = new NUVBaseUnknown;
  EXPECT_EQ(o->AddRef(), 2u);
  EXPECT_EQ(o->Release(), 1u);
  NUVBaseUnknown_WR weak(o);
  EXPECT_TRUE(weak.IsAlive());
  o->Release();
  EXPECT_FALSE(weak.IsAlive());
  EXPECT_FALSE(weak.Get());
}
