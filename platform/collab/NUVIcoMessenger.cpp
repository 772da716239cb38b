#include "NUVIcoMessenger.h"

NUV_IMPLEMENT_INTERFACE(NUVIcoMessenger, NUVBaseUnknown, "VelloranPlatform")
