#include "NUVIBuildPath.h"

NUV_IMPLEMENT_INTERFACE(NUVIBuildPath, NUVBaseUnknown, "VelloranPlatform")
