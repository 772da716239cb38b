#include "NUVIPLMNavOccurrence.h"

NUV_IMPLEMENT_INTERFACE(NUVIPLMNavOccurrence, NUVBaseUnknown, "VelloranPlatform")
