#include "NUVISimControllerKeyFrame.h"

NUV_IMPLEMENT_INTERFACE(NUVISimControllerKeyFrame, NUVBaseUnknown, "VelloranPlatform")
