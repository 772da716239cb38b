#include "NUVVidCtlViewerBase.h"

#include "NUVFrmPendingSwap.h"
#include "NUVSYPEvent.h"
#include "NUVSYPEventArgs.h"

NUV_IMPLEMENT_CLASS(NUVVidCtlViewerBase, NUVVidWidget, "VelloranPlatform")

NUVVidCtlViewerBase::NUVVidCtlViewerBase()
    : _pPendingSwap(new NUVFrmPendingSwap(this, &NUVVidCtlViewerBase::DeliverPendingSwap)),
      _DrawRequestCount(0),
      _SwapCount(0) {}

NUVVidCtlViewerBase::~NUVVidCtlViewerBase() {
  delete _pPendingSwap;
  _pPendingSwap = nullptr;
}

NUVSYPEvent* NUVVidCtlViewerBase::GraphicWindowSwapEvt() {
  static NUVSYPEvent* event = new NUVSYPEvent("GraphicWindowSwap");  // lives for the process
  return event;
}

void NUVVidCtlViewerBase::DrawRequest() {
  ++_DrawRequestCount;
  _pPendingSwap->Schedule();
}

void NUVVidCtlViewerBase::DeliverSwap() {
  _pPendingSwap->Cancel();
  ++_SwapCount;
  NUVSYPEventArgs* args = new NUVSYPEventArgs(GraphicWindowSwapEvt());
  FireEvent(GraphicWindowSwapEvt(), args);
  args->Release();
}

int NUVVidCtlViewerBase::HasPendingSwap() const { return _pPendingSwap->IsPending(); }

void NUVVidCtlViewerBase::SetAutomaticSwap(unsigned char enabled) {
  _pPendingSwap->SetEnabled(enabled);
  if (!enabled) _pPendingSwap->Cancel();
}

void NUVVidCtlViewerBase::DeliverPendingSwap(void* control) {
  NUVVidCtlViewerBase* self = static_cast<NUVVidCtlViewerBase*>(control);
  // A handler may release the last reference to the control.
  self->AddRef();
  self->DeliverSwap();
  self->Release();
}
