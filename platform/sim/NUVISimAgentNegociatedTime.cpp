#include "NUVISimAgentNegociatedTime.h"

NUV_IMPLEMENT_INTERFACE(NUVISimAgentNegociatedTime, NUVBaseUnknown, "VelloranPlatform")
