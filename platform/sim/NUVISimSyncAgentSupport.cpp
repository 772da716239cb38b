#include "NUVISimSyncAgentSupport.h"

NUV_IMPLEMENT_INTERFACE(NUVISimSyncAgentSupport, NUVBaseUnknown, "VelloranPlatform")
