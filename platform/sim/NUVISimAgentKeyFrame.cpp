#include "NUVISimAgentKeyFrame.h"

NUV_IMPLEMENT_INTERFACE(NUVISimAgentKeyFrame, NUVBaseUnknown, "VelloranPlatform")
