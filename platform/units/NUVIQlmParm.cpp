#include "NUVIQlmParm.h"

NUV_IMPLEMENT_INTERFACE(NUVIQlmParm, NUVBaseUnknown, "VelloranPlatform")
