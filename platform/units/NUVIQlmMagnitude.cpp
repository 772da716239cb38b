#include "NUVIQlmMagnitude.h"

NUV_IMPLEMENT_INTERFACE(NUVIQlmMagnitude, NUVBaseUnknown, "VelloranPlatform")
