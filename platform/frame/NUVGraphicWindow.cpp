#include "NUVGraphicWindow.h"

#include "NUVCallbackManager.h"

NUV_IMPLEMENT_CLASS(NUVGraphicWindow, NUVBaseUnknown, "VelloranPlatform")

NUVGraphicWindow::NUVGraphicWindow()
    : _pCallbackManager(new NUVCallbackManager(this)), _SwapCount(0) {}

NUVGraphicWindow::~NUVGraphicWindow() {
  _pCallbackManager->Release();
  _pCallbackManager = nullptr;
}

void NUVGraphicWindow::DispatchSwap() {
  ++_SwapCount;
  // A callback may release the last reference to this support.
  AddRef();
  _pCallbackManager->DispatchCallbacks(GRAPHICWINDOW_SWAP(), nullptr, this);
  Release();
}
