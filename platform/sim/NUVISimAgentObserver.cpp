#include "NUVISimAgentObserver.h"

NUV_IMPLEMENT_INTERFACE(NUVISimAgentObserver, NUVBaseUnknown, "VelloranPlatform")
