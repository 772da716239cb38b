#include "NUVISimTraverser.h"

NUV_IMPLEMENT_INTERFACE(NUVISimTraverser, NUVBaseUnknown, "VelloranPlatform")
