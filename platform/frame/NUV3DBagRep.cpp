#include "NUV3DBagRep.h"

NUV_IMPLEMENT_CLASS(NUV3DBagRep, NUVBaseUnknown, "VelloranPlatform")

NUV3DBagRep::NUV3DBagRep() = default;
NUV3DBagRep::~NUV3DBagRep() = default;
