#include "NUVIPLMStateMonitor.h"

NUV_IMPLEMENT_INTERFACE(NUVIPLMStateMonitor, NUVBaseUnknown, "VelloranPlatform")
