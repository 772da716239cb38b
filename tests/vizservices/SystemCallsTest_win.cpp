// On Windows the library's clock and input calls are the system's own, until
// a test control diverts them and NUVOsUseSystemCalls puts them back.
// The system's header first: NUVOsCalls.h then adds nothing of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "NUVApplication.h"
#include "NUVOsCalls.h"
#include "NUVOsTestHooks.h"
#include "NUVSimVizServices.h"
#include "NUVSockets.h"
#include "RWMStopwatch.h"

namespace {

// The system's frequency read past any diversion of this program's imports.
LONGLONG SystemFrequency() {
  auto query = reinterpret_cast<BOOL(WINAPI*)(LARGE_INTEGER*)>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "QueryPerformanceFrequency")));
  LARGE_INTEGER frequency{};
  return query && query(&frequency) ? frequency.QuadPart : 0;
}

class SystemCalls : public ::testing::Test {
 protected:
  void SetUp() override { NUVOsUseSystemCalls(); }
  void TearDown() override {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
    NUVSimVizServices::MouseButtonOrKeyPressed();  // releases a latch left held
    NUVOsUseSystemCalls();
  }
};

}  // namespace

TEST_F(SystemCalls, TheStopwatchRunsAtTheSystemsFrequencyUnlessAControlSteersIt) {
  const LONGLONG system = SystemFrequency();
  ASSERT_GT(system, 0);
  RWMStopwatch real;
  EXPECT_DOUBLE_EQ(RWMStopwatch::GetResolution(), 1.0 / static_cast<double>(system));
  NUVOsSetPerformanceFrequency(1000);
  RWMStopwatch steered;
  EXPECT_DOUBLE_EQ(RWMStopwatch::GetResolution(), 0.001) << "the library's import is diverted";
  NUVOsUseSystemCalls();
  RWMStopwatch again;
  EXPECT_DOUBLE_EQ(RWMStopwatch::GetResolution(), 1.0 / static_cast<double>(system));
}

TEST_F(SystemCalls, AThreadMessageInterruptsAndStaysInTheQueue) {
  EXPECT_EQ(NUVSimVizServices::MouseButtonOrKeyPressed(), 0);
  ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), WM_KEYDOWN, 'A', 0));
  EXPECT_NE(NUVSimVizServices::MouseButtonOrKeyPressed(), 0);
  MSG m{};
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) << "not consumed";
  EXPECT_EQ(m.wParam, static_cast<WPARAM>('A'));
  EXPECT_EQ(NUVSimVizServices::MouseButtonOrKeyPressed(), 0);
}

TEST_F(SystemCalls, AMiddleButtonHeldThroughSendInputKeepsTheLatch) {
  INPUT press{};
  press.type = INPUT_MOUSE;
  press.mi.dwFlags = MOUSEEVENTF_MIDDLEDOWN;
  if (SendInput(1, &press, sizeof press) != 1 || !(GetAsyncKeyState(VK_MBUTTON) & 0x8000)) {
    GTEST_SKIP() << "this system does not keep a button state from SendInput (Wine without a display)";
  }
  ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), WM_MBUTTONDOWN, 0, 0));
  EXPECT_NE(NUVSimVizServices::MouseButtonOrKeyPressed(), 0);
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
  EXPECT_NE(NUVSimVizServices::MouseButtonOrKeyPressed(), 0) << "latched while held";
  INPUT release = press;
  release.mi.dwFlags = MOUSEEVENTF_MIDDLEUP;
  ASSERT_EQ(SendInput(1, &release, sizeof release), 1u);
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
  EXPECT_EQ(NUVSimVizServices::MouseButtonOrKeyPressed(), 0);
}

// The loop's wait wakes for a message posted to its thread, as for a socket.
TEST_F(SystemCalls, AMessagePostedFromAnotherThreadWakesTheLoop) {
  NUVApplication app("wake");
  NUVSockets* reader = nullptr;
  NUVSockets* writer = nullptr;
  ASSERT_TRUE(NUVSockets::MakeLocalPair(reader, writer));
  app.AddFileDescriptor(reader->GetHandler(), nullptr, nullptr, [](NUVCommand*, int, void*) {});
  const DWORD loopThread = GetCurrentThreadId();
  std::thread poster([loopThread] {
    // Posts until the loop's thread has a queue to take it.
    while (!PostThreadMessageW(loopThread, WM_USER, 0, 0)) Sleep(1);
  });
  EXPECT_EQ(app.RunOneTurn(-1), 0) << "woken, nothing readable";
  poster.join();
  app.RemoveFileDescriptor(reader->GetHandler(), nullptr);
  delete reader;
  delete writer;
}
