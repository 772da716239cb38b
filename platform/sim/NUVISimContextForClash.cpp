#include "NUVISimContextForClash.h"

NUV_IMPLEMENT_INTERFACE(NUVISimContextForClash, NUVBaseUnknown, "VelloranPlatform")
