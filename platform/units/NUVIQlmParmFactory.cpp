#include "NUVIQlmParmFactory.h"

NUV_IMPLEMENT_INTERFACE(NUVIQlmParmFactory, NUVBaseUnknown, "VelloranPlatform")
