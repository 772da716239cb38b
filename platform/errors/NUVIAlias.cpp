#include "NUVIAlias.h"

NUV_IMPLEMENT_INTERFACE(NUVIAlias, NUVBaseUnknown, "VelloranPlatform")
