// NUVVidCtlViewerBase: a viewer embedded as a control in a panel or dialog,
// not as a window of the layout. A draw request draws it; when the drawn
// frame is on screen it raises GraphicWindowSwapEvt() to its handlers with a
// NUVSYPEventArgs, itself as sender.
//
//   control->DrawRequest();
//   control->AddHandler(NUVVidCtlViewerBase::GraphicWindowSwapEvt(), handler, 0);
//
// Swaps follow the rules of NUVViewer: reported on a later turn of the event
// loop when automatic swaps are enabled (NUVViewer::EnableAutomaticSwaps)
// and this control has not turned them off, or delivered by hand.
//
// Threading: user-interface thread only.
#ifndef NUVVidCtlViewerBase_h
#define NUVVidCtlViewerBase_h

#include "NUVVidWidget.h"

class NUVFrmPendingSwap;
class NUVSYPEvent;

class VPL_EXPORT NUVVidCtlViewerBase : public NUVVidWidget {
  NUV_DECLARE_CLASS
 public:
  NUVVidCtlViewerBase();
  ~NUVVidCtlViewerBase() override;

  static NUVSYPEvent* GraphicWindowSwapEvt();

  virtual void DrawRequest();
  // Raises GraphicWindowSwapEvt now and drops a swap still pending.
  void DeliverSwap();
  int HasPendingSwap() const;
  void SetAutomaticSwap(unsigned char enabled);

  int GetDrawRequestCount() const { return _DrawRequestCount; }
  int GetSwapCount() const { return _SwapCount; }

 private:
  static void DeliverPendingSwap(void* control);

  NUVFrmPendingSwap* _pPendingSwap;  // owned; cancels its report when destroyed
  int _DrawRequestCount;
  int _SwapCount;
};

#endif
