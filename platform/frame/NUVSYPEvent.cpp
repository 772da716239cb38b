#include "NUVSYPEvent.h"

NUV_IMPLEMENT_CLASS(NUVSYPEvent, NUVBaseUnknown, "VelloranPlatform")

NUVSYPEvent::NUVSYPEvent(const char* name) : _Name(name ? name : "") {}
NUVSYPEvent::~NUVSYPEvent() = default;
