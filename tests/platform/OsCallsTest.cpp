#include <gtest/gtest.h>

#include <time.h>

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
  // Removes every waiting message and returns their numbers in queue order.
  static std::vector<UINT> Drain() {
    std::vector<UINT> numbers;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) numbers.push_back(message.message);
    return numbers;
  }
};

HWND FakeWindow(intptr_t id) { return reinterpret_cast<HWND>(id); }

TEST_F(OsCallsTest, EmptyQueuePeeksNothingAndLeavesTheMessageUntouched) {
  MSG message = {};
  message.message = 0x1234;
  EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_MOUSELAST, PM_NOREMOVE));
  EXPECT_EQ(message.message, 0x1234u) << "a failed peek must not write the message";
}

TEST_F(OsCallsTest, RangeBoundsAreInclusive) {
  ASSERT_TRUE(NUVOsPostInputMessage(WM_LBUTTONDOWN, 0, 0));
  EXPECT_TRUE(Peek(WM_LBUTTONDOWN, WM_MOUSEHWHEEL));
  EXPECT_TRUE(Peek(WM_MOUSEMOVE, WM_LBUTTONDOWN));
  EXPECT_TRUE(Peek(WM_LBUTTONDOWN, WM_LBUTTONDOWN));
  EXPECT_FALSE(Peek(WM_LBUTTONUP, WM_MOUSEHWHEEL));
  EXPECT_FALSE(Peek(WM_MOUSEMOVE, WM_MOUSEMOVE));
  // A range whose first number lies above its last matches nothing.
  EXPECT_FALSE(Peek(WM_MOUSEHWHEEL, WM_LBUTTONDOWN));

  NUVOsClearInputQueue();
  ASSERT_TRUE(NUVOsPostInputMessage(WM_MOUSEHWHEEL, 0, 0));
  EXPECT_TRUE(Peek(WM_LBUTTONDOWN, WM_MOUSEHWHEEL));
  EXPECT_FALSE(Peek(WM_LBUTTONDOWN, WM_XBUTTONDBLCLK));
}

TEST_F(OsCallsTest, ZeroRangeMatchesAnyMessageButAZeroBoundOtherwiseDoesNot) {
  ASSERT_TRUE(NUVOsPostInputMessage(WM_PAINT, 0, 0));
  EXPECT_TRUE(Peek(0, 0));
  // Only both bounds at 0 lift the filter; 0..WM_NULL still filters.
  EXPECT_FALSE(Peek(WM_NULL, WM_NULL + 1));
  EXPECT_TRUE(Peek(WM_NULL, WM_PAINT));
}

TEST_F(OsCallsTest, NoRemovePeekReturnsTheSameMessageAgain) {
  NUVOsPostInputMessage(WM_KEYDOWN, 65, 7);
  NUVOsPostInputMessage(WM_KEYUP, 65, 8);
  MSG first = {}, second = {};
  ASSERT_TRUE(Peek(0, 0, &first, PM_NOREMOVE));
  ASSERT_TRUE(Peek(0, 0, &second, PM_NOREMOVE));
  EXPECT_EQ(first.message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(second.message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(NUVOsInputQueueSize(), 2);
  // PM_NOYIELD alone does not remove either.
  ASSERT_TRUE(Peek(0, 0, &first, PM_NOYIELD));
  EXPECT_EQ(NUVOsInputQueueSize(), 2);
}

TEST_F(OsCallsTest, RemovalTakesTheOldestMatchAndKeepsTheOthersInOrder) {
  NUVOsPostInputMessage(WM_KEYDOWN, 0, 0);
  NUVOsPostInputMessage(WM_RBUTTONDOWN, 0, 0);
  NUVOsPostInputMessage(WM_KEYUP, 0, 0);
  NUVOsPostInputMessage(WM_LBUTTONDOWN, 0, 0);
  MSG removed = {};
  ASSERT_TRUE(Peek(WM_LBUTTONDOWN, WM_MOUSEHWHEEL, &removed, PM_REMOVE | PM_NOYIELD));
  EXPECT_EQ(removed.message, static_cast<UINT>(WM_RBUTTONDOWN));
  EXPECT_EQ(NUVOsInputQueueSize(), 3);
  EXPECT_EQ(Drain(), (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP, WM_LBUTTONDOWN}));
  EXPECT_EQ(NUVOsInputQueueSize(), 0);
  EXPECT_FALSE(Peek(0, 0));
}

TEST_F(OsCallsTest, PeekCopiesTheWholeMessageStampedWithTheTickCount) {
  NUVOsSetFakeTickCount(1, 4242);
  HWND window = FakeWindow(0x1000);
  ASSERT_TRUE(NUVOsPostInputMessage(WM_MOUSEWHEEL, 0x00780000, -5, window));
  MSG message = {};
  ASSERT_TRUE(Peek(WM_MOUSEWHEEL, WM_MOUSEWHEEL, &message));
  EXPECT_EQ(message.hwnd, window);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_MOUSEWHEEL));
  EXPECT_EQ(message.wParam, static_cast<WPARAM>(0x00780000));
  EXPECT_EQ(message.lParam, -5);
  EXPECT_EQ(message.time, 4242u);
  // A null message pointer only asks whether one is waiting.
  EXPECT_TRUE(PeekMessageW(nullptr, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_TRUE(PeekMessageW(nullptr, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(NUVOsInputQueueSize(), 0);
}

TEST_F(OsCallsTest, WindowFilterSelectsTheWindowOrThreadMessages) {
  HWND a = FakeWindow(0xA0), b = FakeWindow(0xB0);
  NUVOsPostInputMessage(WM_KEYDOWN, 1, 0, a);
  NUVOsPostInputMessage(WM_KEYDOWN, 2, 0, nullptr);
  NUVOsPostInputMessage(WM_KEYDOWN, 3, 0, b);
  MSG message = {};
  ASSERT_TRUE(Peek(0, 0, &message, PM_NOREMOVE, b));
  EXPECT_EQ(message.wParam, 3u);
  ASSERT_TRUE(Peek(0, 0, &message, PM_NOREMOVE, FakeWindow(-1)));
  EXPECT_EQ(message.wParam, 2u);
  ASSERT_TRUE(Peek(0, 0, &message, PM_NOREMOVE, nullptr));
  EXPECT_EQ(message.wParam, 1u);
  EXPECT_FALSE(Peek(0, 0, &message, PM_NOREMOVE, FakeWindow(0xC0)));
}

TEST_F(OsCallsTest, QueueRefusesMessagesBeyondItsCapacity) {
  for (int i = 0; i < NUVOS_INPUT_QUEUE_CAPACITY; ++i) {
    ASSERT_EQ(NUVOsPostInputMessage(WM_USER, static_cast<WPARAM>(i), 0), 1) << "post " << i;
  }
  EXPECT_EQ(NUVOsPostInputMessage(WM_KEYDOWN, 0, 0), 0);
  EXPECT_FALSE(Peek(WM_KEYDOWN, WM_KEYDOWN)) << "the refused message must not be queued";
  MSG oldest = {};
  ASSERT_TRUE(Peek(0, 0, &oldest, PM_REMOVE));
  EXPECT_EQ(oldest.wParam, 0u);
  EXPECT_EQ(NUVOsPostInputMessage(WM_KEYDOWN, 0, 0), 1);
  EXPECT_EQ(NUVOsInputQueueSize(), NUVOS_INPUT_QUEUE_CAPACITY);
}

TEST_F(OsCallsTest, AsyncKeyStateCarriesDownInTheMostSignificantBit) {
  EXPECT_EQ(GetAsyncKeyState(VK_MBUTTON), 0);
  ASSERT_EQ(NUVOsSetAsyncKeyState(VK_MBUTTON, 1), 1);
  EXPECT_TRUE(GetAsyncKeyState(VK_MBUTTON) & 0x8000);
  EXPECT_LT(GetAsyncKeyState(VK_MBUTTON), 0);
  EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), 0) << "keys are independent";
  ASSERT_EQ(NUVOsSetAsyncKeyState(VK_MBUTTON, 0), 1);
  EXPECT_EQ(GetAsyncKeyState(VK_MBUTTON), 0);

  ASSERT_EQ(NUVOsSetAsyncKeyState(255, 1), 1);
  EXPECT_LT(GetAsyncKeyState(255), 0);
  EXPECT_EQ(NUVOsSetAsyncKeyState(256, 1), 0);
  EXPECT_EQ(NUVOsSetAsyncKeyState(-1, 1), 0);
  EXPECT_EQ(GetAsyncKeyState(256), 0);
  EXPECT_EQ(GetAsyncKeyState(-1), 0);
  EXPECT_EQ(NUVOsAsyncKeyStateCallCount(), 8);
}

TEST_F(OsCallsTest, PerformanceCounterRunsForwardAtTheReportedFrequency) {
  LARGE_INTEGER frequency, before, after;
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  EXPECT_EQ(frequency.QuadPart, 1000000000);
  ASSERT_TRUE(QueryPerformanceCounter(&before));
  ASSERT_TRUE(QueryPerformanceCounter(&after));
  EXPECT_GE(after.QuadPart, before.QuadPart);
  EXPECT_FALSE(QueryPerformanceFrequency(nullptr));
  EXPECT_FALSE(QueryPerformanceCounter(nullptr));

  // A slower counter reads smaller values of the same clock.
  NUVOsSetPerformanceFrequency(1000);
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  EXPECT_EQ(frequency.QuadPart, 1000);
  LARGE_INTEGER milliseconds;
  ASSERT_TRUE(QueryPerformanceCounter(&milliseconds));
  EXPECT_LE(milliseconds.QuadPart, after.QuadPart / 1000000 + 1000);
  EXPECT_GE(milliseconds.QuadPart, after.QuadPart / 1000000);
}

TEST_F(OsCallsTest, ForcedFailureReportsNoCounter) {
  NUVOsForcePerformanceCounterFailure(1);
  LARGE_INTEGER value;
  value.QuadPart = 77;
  EXPECT_FALSE(QueryPerformanceFrequency(&value));
  EXPECT_EQ(value.QuadPart, 0);
  value.QuadPart = 77;
  EXPECT_FALSE(QueryPerformanceCounter(&value));
  EXPECT_EQ(value.QuadPart, 0);
  NUVOsForcePerformanceCounterFailure(0);
  EXPECT_TRUE(QueryPerformanceFrequency(&value));
}

TEST_F(OsCallsTest, FakeTickCountWrapsAtThirtyTwoBits) {
  NUVOsSetFakeTickCount(1, 0xFFFFFFF0u);
  EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
  NUVOsAdvanceTickCount(0x20);
  EXPECT_EQ(GetTickCount(), 0x10u);
  // Switched off, the tick count is the monotonic clock in milliseconds again.
  NUVOsSetFakeTickCount(0, 0);
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  DWORD expected = static_cast<DWORD>(now.tv_sec * 1000LL + now.tv_nsec / 1000000);
  EXPECT_LT(static_cast<DWORD>(GetTickCount() - expected), 1000u);
}

TEST_F(OsCallsTest, TickCountOffsetPutsTheRealTickCountThroughItsWrap) {
  // Five milliseconds before the wrap; the real clock then carries it over.
  DWORD now = GetTickCount();
  NUVOsSetTickCountOffset(static_cast<DWORD>(0u - now - 5u));
  DWORD before = GetTickCount();
  EXPECT_GE(before, 0xFFFFFFF0u);
  DWORD after = before;
  for (int i = 0; i < 2000 && after >= before; ++i) {
    timespec pause = {0, 1000000};
    nanosleep(&pause, nullptr);
    after = GetTickCount();
  }
  ASSERT_LT(after, before) << "the tick count should have wrapped";
  EXPECT_LT(static_cast<DWORD>(after - before), 1000u)
      << "unsigned difference across the wrap is the elapsed time";
}

}  // namespace
