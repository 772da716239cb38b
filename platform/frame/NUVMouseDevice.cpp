#include "NUVMouseDevice.h"

NUV_IMPLEMENT_CLASS(NUVMouseDevice, NUVBaseUnknown, "VelloranPlatform")

NUVMouseDevice::NUVMouseDevice()
    : _PressedButton(0),
      _X(0),
      _Y(0),
      _EventX(0.f),
      _EventY(0.f),
      _EventPointCount(0),
      _ElectionCount(0) {}

NUVMouseDevice::~NUVMouseDevice() = default;

void NUVMouseDevice::SetCurrentEventMousePoint(float x, float y) {
  _EventX = x;
  _EventY = y;
  ++_EventPointCount;
}

void NUVMouseDevice::ElectionManipulator(int) {
  ++_ElectionCount;
}
