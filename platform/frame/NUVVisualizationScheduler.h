// NUVVisualizationScheduler: the application's scheduler of redraws. While
// drawing is locked it holds back the redraws the application would start by
// itself. One instance for the process.
//
//   NUVVisualizationScheduler::GetInstance()->LockDrawRequest(1);
//   ...  // apply changes without intermediate frames, then LockDrawRequest(0)
//
// Threading: user-interface thread only.
#ifndef NUVVisualizationScheduler_h
#define NUVVisualizationScheduler_h

#include "NUVBaseUnknown.h"

class VPL_EXPORT NUVVisualizationScheduler : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Created on first call; lives for the process.
  static NUVVisualizationScheduler* GetInstance();

  // Records the lock value (1 locks, 0 unlocks; others are the caller's).
  virtual void LockDrawRequest(int lock);
  int GetLockDrawRequest() const { return _LockValue; }
  int GetLockDrawRequestCount() const { return _LockCount; }

 private:
  NUVVisualizationScheduler();
  ~NUVVisualizationScheduler() override;

  int _LockValue;
  int _LockCount;
};

#endif
