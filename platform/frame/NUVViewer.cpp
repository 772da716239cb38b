#include "NUVViewer.h"

#include "NUV3DViewpoint.h"
#include "NUVCallbackManager.h"
#include "NUVFrmPendingSwap.h"
#include "NUVGraphicWindow.h"
#include "NUVMouseDevice.h"

NUV_IMPLEMENT_CLASS(NUVViewer, NUVBaseUnknown, "VelloranPlatform")

NUVViewer::NUVViewer()
    : _pCallbackManager(new NUVCallbackManager(this)),
      _pSupport(new NUVGraphicWindow),
      _pMouseDevice(new NUVMouseDevice),
      _pMainViewpoint(new NUV3DViewpoint),
      _pPendingSwap(new NUVFrmPendingSwap(this, &NUVViewer::DeliverPendingSwap)),
      _DrawCount(0),
      _SwapCount(0),
      _LockDrawValue(0),
      _LockDrawCount(0),
      _PickRequestCount(0) {}

NUVViewer::~NUVViewer() {
  delete _pPendingSwap;
  _pPendingSwap = nullptr;
  _pMainViewpoint->Release();
  _pMouseDevice->Release();
  _pSupport->Release();
  _pCallbackManager->Release();
  _pMainViewpoint = nullptr;
  _pMouseDevice = nullptr;
  _pSupport = nullptr;
  _pCallbackManager = nullptr;
}

void NUVViewer::Draw() {
  ++_DrawCount;
  _pPendingSwap->Schedule();
}

void NUVViewer::LockDrawRequest(int lock) {
  _LockDrawValue = lock;
  ++_LockDrawCount;
}

void NUVViewer::DoPickNextTime() { ++_PickRequestCount; }

void NUVViewer::DispatchViewerUpdate() {
  AddRef();
  _pCallbackManager->DispatchCallbacks(VIEWER_UPDATE(), nullptr, this);
  Release();
}

void NUVViewer::DeliverSwap() {
  _pPendingSwap->Cancel();
  ++_SwapCount;
  // A swap callback may release the last reference to this viewer; the
  // support keeps itself alive through its own dispatch.
  AddRef();
  _pSupport->DispatchSwap();
  if (GetRefCount() > 1) DispatchViewerUpdate();
  Release();
}

int NUVViewer::HasPendingSwap() const { return _pPendingSwap->IsPending(); }

void NUVViewer::DeliverPendingSwap(void* viewer) {
  static_cast<NUVViewer*>(viewer)->DeliverSwap();
}

void NUVViewer::SetAutomaticSwap(unsigned char enabled) {
  _pPendingSwap->SetEnabled(enabled);
  if (!enabled) _pPendingSwap->Cancel();
}

void NUVViewer::EnableAutomaticSwaps(unsigned char enabled) { NUVFrmPendingSwap::EnableAll(enabled); }
unsigned char NUVViewer::AreAutomaticSwapsEnabled() { return NUVFrmPendingSwap::AreAllEnabled(); }
