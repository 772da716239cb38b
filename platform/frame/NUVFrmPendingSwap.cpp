#include "NUVFrmPendingSwap.h"

#include "NUVApplication.h"
#include "NUVCommandSelector.h"

namespace {
unsigned char g_AutomaticSwaps = 0;
}  // namespace

NUVFrmPendingSwap::NUVFrmPendingSwap(void* owner, Deliver deliver)
    : _pOwner(owner), _pDeliver(deliver), _pCommand(nullptr), _Pending(0), _Enabled(1) {}

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
  _Pending = app->AddTimeOut(0, _pCommand, this, &NUVFrmPendingSwap::OnTimeOut) != 0;
  return _Pending;
}

void NUVFrmPendingSwap::Cancel() {
  if (!_Pending) return;
  _Pending = 0;
  if (NUVApplication* app = NUVApplication::MainApplication()) app->RemoveRegistrationsOf(_pCommand);
}

void NUVFrmPendingSwap::OnTimeOut(NUVCommand*, int, void* data) {
  NUVFrmPendingSwap* self = static_cast<NUVFrmPendingSwap*>(data);
  if (!self->_Pending) return;
  self->_Pending = 0;
  self->_pDeliver(self->_pOwner);
}
