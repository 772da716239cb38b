// The emulated Windows calls (clocks steered, never waited on) and the services
// for hosts: libraries, the keys of a pseudo-terminal put on standard input, signals.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "NUVApplication.h"
#include "NUVHostInput.h"
#include "NUVHostSignals.h"
#include "NUVOsCalls.h"
#include "NUVOsTerminal.h"
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

class TerminalKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    _Master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_EQ(grantpt(_Master) | unlockpt(_Master), 0);
    int terminal = open(ptsname(_Master), O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    _SavedStdin = dup(STDIN_FILENO);
    dup2(terminal, STDIN_FILENO);
    close(terminal);
  }
  void TearDown() override {
    NUVHostInput::DetachTerminal();
    dup2(_SavedStdin, STDIN_FILENO);
    close(_SavedStdin);
    close(_Master);
    NUVOsResetEmulation();
  }
  // Types keys and waits (no deadline a test could miss) until the terminal has them.
  void Type(const char* keys) {
    ASSERT_EQ(write(_Master, keys, strlen(keys)), static_cast<ssize_t>(strlen(keys)));
    pollfd input = {STDIN_FILENO, POLLIN, 0};
    ASSERT_EQ(poll(&input, 1, 60000), 1);
  }
  // The characters of the waiting messages; each key is down, char, up.
  static std::string TakeKeys() {
    std::string keys;
    MSG m[3];
    while (PeekMessageW(&m[0], nullptr, 0, 0, PM_REMOVE)) {
      bool whole = PeekMessageW(&m[1], nullptr, 0, 0, PM_REMOVE) &&
                   PeekMessageW(&m[2], nullptr, 0, 0, PM_REMOVE) && m[0].message == WM_KEYDOWN &&
                   m[1].message == WM_CHAR && m[2].message == WM_KEYUP;
      if (!whole) return keys + "?";
      keys += static_cast<char>(m[1].wParam);
    }
    return keys;
  }
  int _Master = -1;
  int _SavedStdin = -1;
};

TEST_F(TerminalKeys, KeysAreInTheQueueAtTheNextLookOrTurnNoneLostOrDuplicated) {
  NUVApplication app("keys");
  Type("a\n");  // before attaching (a line: the terminal still works by lines)
  ASSERT_TRUE(NUVHostInput::AttachTerminal(app));
  std::string seen = TakeKeys();
  Type("q");
  // No loop turn, as while a handler runs: the look itself finds the key.
  MSG key = {};
  ASSERT_TRUE(PeekMessageW(&key, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
  EXPECT_EQ(key.wParam, static_cast<WPARAM>('Q'));
  seen += TakeKeys();
  // An idle loop wakes for a key and its handler reads it.
  Type("bc");
  EXPECT_EQ(app.RunOneTurn(-1), 1);
  EXPECT_EQ(NUVOsInputQueueSize(), 6);
  seen += TakeKeys();
  EXPECT_EQ(seen, "a\nqbc");
}

TEST_F(TerminalKeys, DetachingPutsTheTerminalBackAndStopsTheKeys) {
  EXPECT_TRUE(NUVOsTerminal::IsTerminal(NUVOsTerminal::Input));
  NUVApplication app("keys");
  termios before, during, after;
  tcgetattr(STDIN_FILENO, &before);
  int flagsBefore = fcntl(STDIN_FILENO, F_GETFL);
  ASSERT_TRUE(NUVHostInput::AttachTerminal(app));
  tcgetattr(STDIN_FILENO, &during);
  EXPECT_EQ(during.c_lflag & (ICANON | ECHO), 0u);
  NUVHostInput::DetachTerminal();
  NUVHostInput::DetachTerminal();  // a second time does nothing
  tcgetattr(STDIN_FILENO, &after);
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_TRUE(after.c_cc[VMIN] == before.c_cc[VMIN] && after.c_cc[VTIME] == before.c_cc[VTIME]);
  EXPECT_EQ(fcntl(STDIN_FILENO, F_GETFL), flagsBefore);
  struct sigaction io;
  sigaction(SIGIO, nullptr, &io);
  EXPECT_TRUE(io.sa_handler == SIG_DFL && app.RegisteredDescriptors() == 0);
  Type("x\n");
  EXPECT_FALSE(PeekMessageW(nullptr, nullptr, 0, 0, PM_NOREMOVE));

  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  dup2(ends[0], STDIN_FILENO);
  EXPECT_FALSE(NUVOsTerminal::IsTerminal(NUVOsTerminal::Input));
  EXPECT_FALSE(NUVHostInput::AttachTerminal(app) || app.RegisteredDescriptors()) << "a pipe";
  close(ends[0]);
  close(ends[1]);
}

void RaiseTermination(NUVCommand*, int, void*) { raise(SIGTERM); }
void Again(NUVCommand*, int, void* app) {
  static_cast<NUVApplication*>(app)->AddTimeOut(0, nullptr, app, &Again);
}

TEST(HostSignals, ASignalStopsTheLoopAtItsNextTurnWithTheShellsStatus) {
  NUVApplication app("signals");
  NUVHostSignals::StopOnInterrupt(app);
  EXPECT_EQ(NUVHostSignals::InterruptStatus(), 0);
  // A loop that would turn for ever stops after the turn that sees the signal.
  app.AddTimeOut(0, nullptr, &app, &Again);
  raise(SIGINT);
  raise(SIGTERM);
  EXPECT_EQ(app.Run(), 1);
  EXPECT_EQ(NUVHostSignals::InterruptStatus(), 130) << "the first signal tells";

  // A loop asleep in poll wakes for the signal.
  NUVApplication quiet("signals");
  NUVHostSignals::StopOnInterrupt(quiet);
  quiet.AddTimeOut(1, nullptr, nullptr, &RaiseTermination);
  EXPECT_GE(quiet.Run(), 2);
  EXPECT_EQ(NUVHostSignals::InterruptStatus(), 143);

  NUVHostSignals::Restore();
  struct sigaction interrupt;
  sigaction(SIGINT, nullptr, &interrupt);
  EXPECT_TRUE(interrupt.sa_handler == SIG_DFL && quiet.RegisteredDescriptors() == 0);
}

}  // namespace
