#include "NUVICreateInstance.h"

NUV_IMPLEMENT_INTERFACE(NUVICreateInstance, NUVBaseUnknown, "VelloranPlatform")
