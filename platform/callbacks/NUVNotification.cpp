#include "NUVNotification.h"

NUV_IMPLEMENT_CLASS(NUVNotification, NUVBaseUnknown, "VelloranPlatform")
