// NUV3DViewpoint: the camera of a viewer. It can animate (spin, fly), which
// keeps the viewer redrawing; its animation state is non-zero while it does.
//
//   NUV3DViewpoint* vp = viewer->GetMain3DViewpoint();
//   if (vp->GetAnimationState() == 0) vp->StartAnimation(nullptr);
//
// Threading: user-interface thread only.
#ifndef NUV3DViewpoint_h
#define NUV3DViewpoint_h

#include "NUVBaseUnknown.h"

class VPL_EXPORT NUV3DViewpoint : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUV3DViewpoint();
  ~NUV3DViewpoint() override;
  NUV3DViewpoint(const NUV3DViewpoint&) = delete;
  NUV3DViewpoint& operator=(const NUV3DViewpoint&) = delete;

  // `animation` describes the movement; null continues the last one.
  virtual void StartAnimation(void* animation);
  // `mode` is kept for the callers' sake; the headless viewpoint just stops.
  virtual void StopAnimation(int mode);
  int GetAnimationState() const { return _AnimationState; }

  // Host and test side.
  void SetAnimationState(int state) { _AnimationState = state; }
  int GetStartCount() const { return _StartCount; }
  int GetStopCount() const { return _StopCount; }
  void* GetLastAnimation() const { return _pLastAnimation; }
  int GetLastStopMode() const { return _LastStopMode; }

 private:
  int _AnimationState;
  int _StartCount;
  int _StopCount;
  void* _pLastAnimation;
  int _LastStopMode;
};

#endif
