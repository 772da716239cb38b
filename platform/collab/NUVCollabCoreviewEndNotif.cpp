#include "NUVCollabCoreviewEndNotif.h"

NUV_IMPLEMENT_CLASS(NUVCollabCoreviewEndNotif, NUVNotification, "VelloranPlatform")
