#include "NUVISimErrorManager.h"

NUV_IMPLEMENT_INTERFACE(NUVISimErrorManager, NUVBaseUnknown, "VelloranPlatform")
