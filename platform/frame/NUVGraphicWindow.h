// NUVGraphicWindow: the graphic support of a viewer, the surface its frames
// are drawn into. It publishes GRAPHICWINDOW_SWAP() when a drawn frame has
// been swapped onto the screen; subscribers name the support itself as
// publisher.
//
//   AddCallback(me, viewer->GetSupport(), NUVGraphicWindow::GRAPHICWINDOW_SWAP(),
//               NUVSubscriberMethodCast(&Me::OnSwap), data);
//
// Threading: user-interface thread only.
#ifndef NUVGraphicWindow_h
#define NUVGraphicWindow_h

#include "NUVBaseUnknown.h"

class NUVCallbackManager;

class VPL_EXPORT NUVGraphicWindow : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUVGraphicWindow();
  ~NUVGraphicWindow() override;
  NUVGraphicWindow(const NUVGraphicWindow&) = delete;
  NUVGraphicWindow& operator=(const NUVGraphicWindow&) = delete;

  static const char* GRAPHICWINDOW_SWAP() { return "GRAPHICWINDOW_SWAP"; }

  NUVCallbackManager* GetCallbackManager() const { return _pCallbackManager; }
  // Publishes GRAPHICWINDOW_SWAP with the support as publisher argument.
  void DispatchSwap();
  int GetSwapCount() const { return _SwapCount; }

 private:
  NUVCallbackManager* _pCallbackManager;
  int _SwapCount;
};

#endif
