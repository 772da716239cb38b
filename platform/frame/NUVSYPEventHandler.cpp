#include "NUVSYPEventHandler.h"

NUV_IMPLEMENT_CLASS(NUVSYPEventHandler, NUVBaseUnknown, "VelloranPlatform")

NUVSYPEventHandler::NUVSYPEventHandler() = default;
NUVSYPEventHandler::~NUVSYPEventHandler() = default;
