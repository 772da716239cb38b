#include "NUVVisualizationScheduler.h"

NUV_IMPLEMENT_CLASS(NUVVisualizationScheduler, NUVBaseUnknown, "VelloranPlatform")

NUVVisualizationScheduler::NUVVisualizationScheduler() : _LockValue(0), _LockCount(0) {}
NUVVisualizationScheduler::~NUVVisualizationScheduler() = default;

NUVVisualizationScheduler* NUVVisualizationScheduler::GetInstance() {
  static NUVVisualizationScheduler* instance = new NUVVisualizationScheduler;
  return instance;
}

void NUVVisualizationScheduler::LockDrawRequest(int lock) {
  _LockValue = lock;
  ++_LockCount;
}
