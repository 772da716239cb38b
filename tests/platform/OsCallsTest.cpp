// The emulated Windows calls: the input queue's filters, order and capacity,
// the key states, and the clocks, steered through the test hooks (no test
// here waits on real time).
#include <gtest/gtest.h>

#include <vector>

#include "NUVOsCalls.h"
#include "NUVOsTestHooks.h"

namespace {

class OsCallsTest : public ::testing::Test {
 protected:
  void SetUp() override { NUVOsResetEmulation(); }
  void TearDown() override { NUVOsResetEmulation(); }
  static bool Peek(UINT first, UINT last, MSG* out = nullptr, UINT flag = PM_NOREMOVE,
                   HWND window = nullptr) {
    MSG local;
    return PeekMessageW(out ? out : &local, window, first, last, flag) == TRUE;
  }
};

HWND Window(intptr_t id) { return reinterpret_cast<HWND>(id); }

TEST_F(OsCallsTest, PeekFiltersByInclusiveRangeAndWindowAndRemovesTheOldestMatch) {
  MSG m = {};
  m.message = 0x1234;
  EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, 0x1234u) << "a failed peek must not write the message";
  NUVOsSetFakeTickCount(1, 4242);
  NUVOsPostInputMessage(WM_KEYDOWN, 1, 0, Window(0xA0));
  NUVOsPostInputMessage(WM_LBUTTONDOWN, 2, -5);
  NUVOsPostInputMessage(WM_KEYUP, 3, 0, Window(0xB0));
  EXPECT_TRUE(Peek(WM_MOUSEMOVE, WM_LBUTTONDOWN) && Peek(WM_LBUTTONDOWN, WM_LBUTTONDOWN));
  EXPECT_FALSE(Peek(WM_LBUTTONUP, WM_MOUSEHWHEEL) || Peek(WM_MOUSEHWHEEL, WM_LBUTTONDOWN));
  EXPECT_FALSE(Peek(WM_NULL, WM_NULL + 1)) << "only both bounds at 0 lift the filter";
  ASSERT_TRUE(Peek(0, 0, &m, PM_NOYIELD));  // without PM_REMOVE nothing goes
  EXPECT_EQ(m.wParam, 1u);
  ASSERT_TRUE(Peek(0, 0, &m, PM_NOREMOVE, Window(0xB0)));
  EXPECT_EQ(m.wParam, 3u);
  ASSERT_TRUE(Peek(0, 0, &m, PM_NOREMOVE, Window(-1)));  // thread messages only
  EXPECT_EQ(m.wParam, 2u);
  EXPECT_FALSE(Peek(0, 0, &m, PM_NOREMOVE, Window(0xC0)));
  ASSERT_TRUE(Peek(WM_MOUSEFIRST, WM_MOUSELAST, &m, PM_REMOVE | PM_NOYIELD));
  EXPECT_TRUE(m.wParam == 2u && m.lParam == -5 && m.time == 4242u);
  std::vector<WPARAM> rest;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) rest.push_back(m.wParam);
  EXPECT_EQ(rest, (std::vector<WPARAM>{1, 3}));
}

TEST_F(OsCallsTest, QueueRefusesMessagesBeyondItsCapacityAndKeysBeyond255) {
  for (int i = 0; i < NUVOS_INPUT_QUEUE_CAPACITY; ++i) {
    ASSERT_EQ(NUVOsPostInputMessage(WM_USER, static_cast<WPARAM>(i), 0), 1) << "post " << i;
  }
  EXPECT_EQ(NUVOsPostInputMessage(WM_KEYDOWN, 0, 0), 0);
  EXPECT_FALSE(Peek(WM_KEYDOWN, WM_KEYDOWN)) << "the refused message must not be queued";
  ASSERT_TRUE(PeekMessageW(nullptr, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(NUVOsPostInputMessage(WM_KEYDOWN, 0, 0), 1);

  ASSERT_EQ(NUVOsSetAsyncKeyState(255, 1), 1);
  EXPECT_LT(GetAsyncKeyState(255), 0) << "down is the sign bit";
  EXPECT_EQ(GetAsyncKeyState(VK_MBUTTON), 0) << "keys are independent";
  EXPECT_EQ(NUVOsSetAsyncKeyState(256, 1) + NUVOsSetAsyncKeyState(-1, 1), 0);
  EXPECT_EQ(GetAsyncKeyState(256) | GetAsyncKeyState(-1), 0);
}

TEST_F(OsCallsTest, ClocksFailOnDemandScaleToTheirFrequencyAndWrapAtThirtyTwoBits) {
  LARGE_INTEGER value, nanoseconds, milliseconds;
  value.QuadPart = 77;
  NUVOsForcePerformanceCounterFailure(1);
  EXPECT_FALSE(QueryPerformanceFrequency(&value) || value.QuadPart != 0);
  EXPECT_FALSE(QueryPerformanceCounter(&value));
  NUVOsForcePerformanceCounterFailure(0);
  ASSERT_TRUE(QueryPerformanceCounter(&nanoseconds));
  NUVOsSetPerformanceFrequency(1000);
  ASSERT_TRUE(QueryPerformanceCounter(&milliseconds));
  // The same clock at another rate; an hour of margin, no stall breaks it.
  EXPECT_GE(milliseconds.QuadPart, nanoseconds.QuadPart / 1000000);
  EXPECT_LT(milliseconds.QuadPart, nanoseconds.QuadPart / 1000000 + 3600000);

  NUVOsSetFakeTickCount(1, 0xFFFFFFF0u);
  NUVOsAdvanceTickCount(0x20);
  EXPECT_EQ(GetTickCount(), 0x10u);
  NUVOsSetFakeTickCount(0, 0);
  // The real tick count put five milliseconds before its wrap: wrapped since
  // or not, the unsigned difference is the time elapsed.
  NUVOsSetTickCountOffset(0u - GetTickCount() - 5u);
  EXPECT_LT(static_cast<DWORD>(GetTickCount() - 0xFFFFFFFBu), 3600000u);
}

}  // namespace
