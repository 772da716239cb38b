#include "NUVSYPEventArgs.h"

NUV_IMPLEMENT_CLASS(NUVSYPEventArgs, NUVBaseUnknown, "VelloranPlatform")

NUVSYPEventArgs::NUVSYPEventArgs(NUVSYPEvent* event) : _pEvent(event) {}
NUVSYPEventArgs::~NUVSYPEventArgs() = default;
