#include "NUVIQlmUnit.h"

NUV_IMPLEMENT_INTERFACE(NUVIQlmUnit, NUVBaseUnknown, "VelloranPlatform")
