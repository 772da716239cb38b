#include <gtest/gtest.h>

#include "NUVOsCalls.h"
#include "NUVOsTestHooks.h"
#include "NUVSimVizServices.h"

namespace {

class InputPollingTest : public ::testing::Test {
 protected:
  void SetUp() override { NUVOsResetEmulation(); }
  void TearDown() override {
    // The middle-button latch lives for the whole process: release the
    // button and poll once so that the next test starts unlatched.
    NUVOsClearInputQueue();
    NUVOsSetAsyncKeyState(VK_MBUTTON, 0);
    NUVSimVizServices::MouseButtonOrKeyPressed();
    NUVOsResetEmulation();
  }
  static unsigned char Poll() { return NUVSimVizServices::MouseButtonOrKeyPressed(); }
  static UINT OldestMessage() {
    MSG message = {};
    return PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) ? message.message : 0;
  }
};

TEST_F(InputPollingTest, EmptyQueueIsNoInputAndLeavesTheKeyStateAlone) {
  EXPECT_EQ(Poll(), 0);
  EXPECT_EQ(Poll(), 0);
  EXPECT_EQ(NUVOsAsyncKeyStateCallCount(), 0);
}

TEST_F(InputPollingTest, MouseMoveIsNotInputButAWheelIs) {
  NUVOsPostInputMessage(WM_MOUSEMOVE, 0, 0);
  EXPECT_EQ(Poll(), 0);
  EXPECT_EQ(NUVOsInputQueueSize(), 1);
  NUVOsPostInputMessage(WM_MOUSEWHEEL, 0, 0);
  EXPECT_NE(Poll(), 0);
  EXPECT_EQ(NUVOsInputQueueSize(), 2) << "polling must not consume input";
}

TEST_F(InputPollingTest, EveryMouseButtonAndWheelMessageCounts) {
  for (UINT number = WM_LBUTTONDOWN; number <= WM_MOUSEHWHEEL; ++number) {
    NUVOsClearInputQueue();
    NUVOsPostInputMessage(number, 0, 0);
    EXPECT_NE(Poll(), 0) << std::hex << number;
    EXPECT_EQ(OldestMessage(), number);
  }
}

TEST_F(InputPollingTest, EveryKeyboardMessageCountsAndStaysQueued) {
  for (UINT number = WM_KEYDOWN; number <= WM_UNICHAR; ++number) {
    NUVOsClearInputQueue();
    NUVOsPostInputMessage(WM_MOUSEMOVE, 0, 0);
    NUVOsPostInputMessage(number, 'A', 0);
    EXPECT_NE(Poll(), 0) << std::hex << number;
    EXPECT_EQ(NUVOsInputQueueSize(), 2);
    EXPECT_EQ(OldestMessage(), static_cast<UINT>(WM_MOUSEMOVE)) << "queue order kept";
  }
}

TEST_F(InputPollingTest, MessagesJustOutsideTheRangesAreNotInput) {
  for (UINT number : {0x00FFu, 0x010Au, 0x01FFu, 0x020Fu, static_cast<UINT>(WM_PAINT),
                      static_cast<UINT>(WM_TIMER), static_cast<UINT>(WM_USER)}) {
    NUVOsClearInputQueue();
    NUVOsPostInputMessage(number, 0, 0);
    EXPECT_EQ(Poll(), 0) << std::hex << number;
  }
}

TEST_F(InputPollingTest, InputPostedToAWindowIsSeenToo) {
  NUVOsPostInputMessage(WM_KEYDOWN, 'A', 0, reinterpret_cast<HWND>(0x5000));
  EXPECT_NE(Poll(), 0);
}

TEST_F(InputPollingTest, HeldMiddleButtonKeepsInterruptingUntilReleased) {
  NUVOsPostInputMessage(WM_MBUTTONDOWN, 0, 0);
  NUVOsSetAsyncKeyState(VK_MBUTTON, 1);
  EXPECT_NE(Poll(), 0);
  // The application consumed the press; the button is still down.
  NUVOsClearInputQueue();
  EXPECT_NE(Poll(), 0);
  EXPECT_NE(Poll(), 0);
  long readsWhileHeld = NUVOsAsyncKeyStateCallCount();
  EXPECT_EQ(readsWhileHeld, 3);

  NUVOsSetAsyncKeyState(VK_MBUTTON, 0);
  EXPECT_EQ(Poll(), 0) << "the first poll that finds the button up returns false";
  EXPECT_EQ(Poll(), 0);
  EXPECT_EQ(NUVOsAsyncKeyStateCallCount(), readsWhileHeld + 1)
      << "once unlatched, the key state is no longer read";
}

TEST_F(InputPollingTest, MiddlePressFoundBehindOtherMessages) {
  NUVOsPostInputMessage(WM_MOUSEMOVE, 0, 0);
  NUVOsPostInputMessage(WM_LBUTTONUP, 0, 0);
  NUVOsPostInputMessage(WM_MBUTTONDOWN, 0, 0);
  NUVOsSetAsyncKeyState(VK_MBUTTON, 1);
  EXPECT_NE(Poll(), 0);
  NUVOsClearInputQueue();
  EXPECT_NE(Poll(), 0) << "the press latched although another message came first";
}

TEST_F(InputPollingTest, QuickMiddleClickDoesNotLatch) {
  NUVOsPostInputMessage(WM_MBUTTONDOWN, 0, 0);
  NUVOsPostInputMessage(WM_MBUTTONUP, 0, 0);
  EXPECT_NE(Poll(), 0) << "the waiting messages count";
  NUVOsClearInputQueue();
  EXPECT_EQ(Poll(), 0) << "button already up: nothing held";
}

TEST_F(InputPollingTest, OnlyTheMiddlePressLatches) {
  NUVOsSetAsyncKeyState(VK_MBUTTON, 1);
  for (UINT number : {static_cast<UINT>(WM_LBUTTONDOWN), static_cast<UINT>(WM_MBUTTONUP),
                      static_cast<UINT>(WM_MBUTTONDBLCLK), static_cast<UINT>(WM_KEYDOWN)}) {
    NUVOsPostInputMessage(number, 0, 0);
    EXPECT_NE(Poll(), 0);
    NUVOsClearInputQueue();
    EXPECT_EQ(Poll(), 0) << std::hex << number << " must not latch";
  }
  EXPECT_EQ(NUVOsAsyncKeyStateCallCount(), 0);
}

TEST_F(InputPollingTest, HeldMiddleButtonWithoutAPressSeenIsNotInput) {
  // The button went down while nobody polled and its press was consumed.
  NUVOsSetAsyncKeyState(VK_MBUTTON, 1);
  EXPECT_EQ(Poll(), 0);
}

}  // namespace
