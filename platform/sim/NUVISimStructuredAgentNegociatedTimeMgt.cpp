#include "NUVISimStructuredAgentNegociatedTimeMgt.h"

NUV_IMPLEMENT_INTERFACE(NUVISimStructuredAgentNegociatedTimeMgt, NUVBaseUnknown, "VelloranPlatform")
