#include "NUVICollabUser.h"

NUV_IMPLEMENT_INTERFACE(NUVICollabUser, NUVBaseUnknown, "VelloranPlatform")
