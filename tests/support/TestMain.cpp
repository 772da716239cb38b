#include <gtest/gtest.h>

#include "NUVDisplayRefresh.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Swaps on the next turn, whatever the clock: the refresh tests set a rate.
  NUVDisplayRefresh::SetRate(0);
  return RUN_ALL_TESTS();
}
