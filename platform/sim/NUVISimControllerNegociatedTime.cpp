#include "NUVISimControllerNegociatedTime.h"

NUV_IMPLEMENT_INTERFACE(NUVISimControllerNegociatedTime, NUVBaseUnknown, "VelloranPlatform")
