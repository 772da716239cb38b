#include "NUVISimTraversalVisitor.h"

NUV_IMPLEMENT_INTERFACE(NUVISimTraversalVisitor, NUVBaseUnknown, "VelloranPlatform")
