// The library's input poll: which waiting messages interrupt a computation,
// without consuming them, and the held middle button.
#include <gtest/gtest.h>

#include "NUVDictionary.h"
#include "NUVOsCalls.h"
#include "NUVOsTestHooks.h"
#include "NUVSimVizServices.h"

namespace {

class InputPollingTest : public ::testing::Test {
 protected:
  void SetUp() override { NUVOsResetEmulation(); }
  void TearDown() override {  // button up and one poll: the process-wide latch is released
    NUVOsResetEmulation();
    NUVSimVizServices::MouseButtonOrKeyPressed();
  }
  static unsigned char Poll() { return NUVSimVizServices::MouseButtonOrKeyPressed(); }
};

TEST_F(InputPollingTest, ButtonsWheelsAndKeysInterruptMovesAndOthersDoNot) {
  EXPECT_EQ(Poll(), 0);
  EXPECT_EQ(NUVOsAsyncKeyStateCallCount(), 0) << "no key state read on an empty queue";
  for (UINT number = 0; number <= WM_USER; ++number) {
    bool input = (number >= WM_KEYDOWN && number <= WM_UNICHAR) ||
                 (number >= WM_LBUTTONDOWN && number <= WM_MOUSEHWHEEL);
    NUVOsClearInputQueue();
    NUVOsPostInputMessage(WM_MOUSEMOVE, 0, 0);
    NUVOsPostInputMessage(number, 0, 0, number % 2 ? reinterpret_cast<HWND>(0x50) : nullptr);
    EXPECT_EQ(Poll() != 0, input) << std::hex << number;
    EXPECT_EQ(NUVOsInputQueueSize(), 2) << "polling must not consume input";
  }
}

TEST_F(InputPollingTest, HeldMiddleButtonInterruptsUntilReleasedOnlyAfterItsPress) {
  NUVOsSetAsyncKeyState(VK_MBUTTON, 1);
  EXPECT_EQ(Poll(), 0) << "held, but its press was never seen";
  for (UINT other : {WM_LBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK, WM_KEYDOWN}) {
    NUVOsPostInputMessage(other, 0, 0);
    EXPECT_NE(Poll(), 0);
    NUVOsClearInputQueue();
    EXPECT_EQ(Poll(), 0) << std::hex << other << " must not latch";
  }
  NUVOsPostInputMessage(WM_LBUTTONUP, 0, 0);
  NUVOsPostInputMessage(WM_MBUTTONDOWN, 0, 0);  // found behind another message
  EXPECT_NE(Poll(), 0);
  NUVOsClearInputQueue();  // the application consumed the press
  EXPECT_NE(Poll(), 0);
  EXPECT_NE(Poll(), 0);
  long reads = NUVOsAsyncKeyStateCallCount();
  NUVOsSetAsyncKeyState(VK_MBUTTON, 0);
  EXPECT_EQ(Poll(), 0) << "the first poll that finds the button up returns false";
  EXPECT_EQ(Poll(), 0);
  EXPECT_EQ(NUVOsAsyncKeyStateCallCount(), reads + 1) << "unlatched: the state is not read";

  NUVOsPostInputMessage(WM_MBUTTONDOWN, 0, 0);  // a quick click: up already
  EXPECT_TRUE(Poll());
  NUVOsClearInputQueue();
  EXPECT_FALSE(Poll());
}

TEST(VizServicesClass, IsRegisteredUnderTheLibraryAtLoad) {
  const NUVMetaClass* meta = NUVDictionary::FindMetaClass("NUVSimVizServices");
  ASSERT_EQ(meta, NUVSimVizServices::MetaObject());
  EXPECT_STREQ(meta->GetLibraryName(), "Velloran");
  EXPECT_TRUE(meta->IsAKindOf("NUVBaseUnknown"));
}

}  // namespace
