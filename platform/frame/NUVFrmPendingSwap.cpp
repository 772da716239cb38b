#include "NUVFrmPendingSwap.h"

#include "NUVApplication.h"
#include "NUVCommand.h"
#include "NUVCommandSelector.h"
#include "NUVDisplayRefresh.h"
#include "NUVOsCalls.h"

namespace {
unsigned char g_AutomaticSwaps = 0;

// The performance counter and its frequency; false when there is none.
bool ReadCounter(long long& now, long long& countsPerSecond) {
  LARGE_INTEGER frequency, count;
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return false;
  if (!QueryPerformanceCounter(&count)) return false;
  now = count.QuadPart;
  countsPerSecond = frequency.QuadPart;
  return true;
}
}  // namespace

NUVFrmPendingSwap::NUVFrmPendingSwap(void* owner, Deliver deliver)
    : _pOwner(owner), _pDeliver(deliver), _pCommand(nullptr), _Pending(0), _Enabled(1), _Paced(0), _Tick(0) {}

NUVFrmPendingSwap::~NUVFrmPendingSwap() {
  Cancel();
  // The command's destruction drops whatever the loop still holds for it.
  if (_pCommand) _pCommand->Release();
  _pCommand = nullptr;
}

void NUVFrmPendingSwap::EnableAll(unsigned char enabled) { g_AutomaticSwaps = enabled ? 1 : 0; }
unsigned char NUVFrmPendingSwap::AreAllEnabled() { return g_AutomaticSwaps; }

int NUVFrmPendingSwap::Schedule() {
  NUVApplication* app = NUVApplication::MainApplication();
  if (!app || !g_AutomaticSwaps || !_Enabled) return _Pending;
  if (!_pCommand) {
    _pCommand = new NUVCommand(NUVCommandSelector::GetCommandSelectorInstance(), "NUVFrmPendingSwap");
  }
  // Re-registering rather than trusting _Pending: the application that held
  // an earlier registration may be gone, and the swap belongs after the
  // latest draw anyway.
  app->RemoveRegistrationsOf(_pCommand);
  long long now = 0, countsPerSecond = 0;
  _Paced = NUVDisplayRefresh::Rate() > 0.0 && ReadCounter(now, countsPerSecond);
  if (_Paced) {
    _Tick = NUVDisplayRefresh::NextTick(now, countsPerSecond);
    _Pending = Arm(app, now, countsPerSecond);
  } else {
    _Pending = app->AddTimeOut(0, _pCommand, this, &NUVFrmPendingSwap::OnTimeOut) != 0;
  }
  return _Pending;
}

unsigned char NUVFrmPendingSwap::Arm(NUVApplication* app, long long now, long long countsPerSecond) {
  // Whole milliseconds, rounded up: the loop wakes at or after the tick, and
  // OnTimeOut checks the counter again since the loop keeps its own time.
  long long remaining = _Tick - now;
  long long ms = remaining <= 0 ? 0 : (remaining * 1000 + countsPerSecond - 1) / countsPerSecond;
  if (ms > 1000000) ms = 1000000;
  return app->AddTimeOut(static_cast<int>(ms), _pCommand, this, &NUVFrmPendingSwap::OnTimeOut) != 0;
}

void NUVFrmPendingSwap::Cancel() {
  if (!_Pending) return;
  _Pending = 0;
  if (NUVApplication* app = NUVApplication::MainApplication()) app->RemoveRegistrationsOf(_pCommand);
}

void NUVFrmPendingSwap::OnTimeOut(NUVCommand*, int, void* data) {
  NUVFrmPendingSwap* self = static_cast<NUVFrmPendingSwap*>(data);
  if (!self->_Pending) return;
  long long now = 0, countsPerSecond = 0;
  NUVApplication* app = NUVApplication::MainApplication();
  if (self->_Paced && app && ReadCounter(now, countsPerSecond) && now < self->_Tick) {
    // The loop woke before the counter reached the tick: wait again.
    self->_Pending = self->Arm(app, now, countsPerSecond);
    return;
  }
  self->_Pending = 0;
  self->_pDeliver(self->_pOwner);
}
