#include "NUV3DViewpoint.h"

NUV_IMPLEMENT_CLASS(NUV3DViewpoint, NUVBaseUnknown, "VelloranPlatform")

NUV3DViewpoint::NUV3DViewpoint()
    : _AnimationState(0), _StartCount(0), _StopCount(0), _pLastAnimation(nullptr), _LastStopMode(-1) {}

NUV3DViewpoint::~NUV3DViewpoint() = default;

void NUV3DViewpoint::StartAnimation(void* animation) {
  _pLastAnimation = animation;
  _AnimationState = 1;
  ++_StartCount;
}

void NUV3DViewpoint::StopAnimation(int mode) {
  _LastStopMode = mode;
  _AnimationState = 0;
  ++_StopCount;
}
