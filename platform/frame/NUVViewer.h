// NUVViewer: a view onto the model, drawn into a graphic support
// (NUVGraphicWindow), looked at through a main viewpoint and driven by a
// mouse device. Plain viewers are of this class or NUV2DViewer; 3D viewers
// are NUV3DViewer, told apart by their meta class.
//
//   viewer->Draw();                               // draws now
//   AddCallback(me, viewer, NUVViewer::VIEWER_UPDATE(), NUVSubscriberMethodCast(&Me::CB), 0);
//
// Headless drawing: Draw counts the frame and, when a host has enabled
// automatic swaps (EnableAutomaticSwaps) and NUVApplication::MainApplication()
// exists, the support reports the buffer swap on a later turn of the event
// loop, never inside Draw. A viewer destroyed before that turn is not called
// back. Tests may deliver swaps themselves (DeliverSwap) and turn automatic
// swaps off per viewer. Once a frame's swap is reported the viewer is up to
// date and publishes VIEWER_UPDATE, as a real viewer does after a redraw: a
// drawn viewer therefore raises its update on a later turn of the loop,
// never inside Draw. DispatchViewerUpdate publishes one by hand.
//
// Threading: user-interface thread only.
#ifndef NUVViewer_h
#define NUVViewer_h

#include "NUVBaseUnknown.h"

class NUVCallbackManager;
class NUVFrmPendingSwap;
class NUVGraphicWindow;
class NUVMouseDevice;
class NUV3DViewpoint;

class VPL_EXPORT NUVViewer : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUVViewer();
  ~NUVViewer() override;
  NUVViewer(const NUVViewer&) = delete;
  NUVViewer& operator=(const NUVViewer&) = delete;

  // Draws now: counts the frame and schedules the swap report.
  virtual void Draw();
  // Records the lock value (1 locks, 0 unlocks; others are the caller's).
  virtual void LockDrawRequest(int lock);
  virtual void DoPickNextTime();

  NUV3DViewpoint* GetMain3DViewpoint() const { return _pMainViewpoint; }
  NUVGraphicWindow* GetSupport() const { return _pSupport; }
  NUVMouseDevice& GetMouseDevice() const { return *_pMouseDevice; }
  NUVCallbackManager* GetCallbackManager() const { return _pCallbackManager; }

  // Published on the viewer, with the viewer as publisher argument.
  static const char* VIEWER_UPDATE() { return "VIEWER_UPDATE"; }
  void DispatchViewerUpdate();

  // Reports the swap of the last frame now through the support, drops a
  // swap report still pending, then publishes VIEWER_UPDATE (unless a swap
  // callback destroyed the viewer).
  void DeliverSwap();
  int HasPendingSwap() const;
  // Per viewer, on by default; the process-wide switch below must be on too.
  void SetAutomaticSwap(unsigned char enabled);
  static void EnableAutomaticSwaps(unsigned char enabled);
  static unsigned char AreAutomaticSwapsEnabled();

  int GetDrawCount() const { return _DrawCount; }
  int GetSwapCount() const { return _SwapCount; }
  int GetLockDrawRequest() const { return _LockDrawValue; }
  int GetLockDrawRequestCount() const { return _LockDrawCount; }
  int GetPickRequestCount() const { return _PickRequestCount; }

 private:
  static void DeliverPendingSwap(void* viewer);

  NUVCallbackManager* _pCallbackManager;
  NUVGraphicWindow* _pSupport;
  NUVMouseDevice* _pMouseDevice;
  NUV3DViewpoint* _pMainViewpoint;
  NUVFrmPendingSwap* _pPendingSwap;  // owned; cancels its report when destroyed
  int _DrawCount;
  int _SwapCount;
  int _LockDrawValue;
  int _LockDrawCount;
  int _PickRequestCount;
};

#endif
