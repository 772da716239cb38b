#include "NUVISimInitialization.h"

NUV_IMPLEMENT_INTERFACE(NUVISimInitialization, NUVBaseUnknown, "VelloranPlatform")
