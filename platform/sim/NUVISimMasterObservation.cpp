#include "NUVISimMasterObservation.h"

NUV_IMPLEMENT_INTERFACE(NUVISimMasterObservation, NUVBaseUnknown, "VelloranPlatform")
