#include "NUVISimStructuredAgentKeyFrameMgt.h"

NUV_IMPLEMENT_INTERFACE(NUVISimStructuredAgentKeyFrameMgt, NUVBaseUnknown, "VelloranPlatform")
