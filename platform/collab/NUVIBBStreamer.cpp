#include "NUVIBBStreamer.h"

NUV_IMPLEMENT_INTERFACE(NUVIBBStreamer, NUVBaseUnknown, "VelloranPlatform")
