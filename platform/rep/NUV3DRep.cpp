#include "NUV3DRep.h"

NUV_IMPLEMENT_CLASS(NUV3DRep, NUVBaseUnknown, "VelloranPlatform")

NUV3DRep::NUV3DRep() : _Attributes(0) {}
NUV3DRep::~NUV3DRep() = default;

NUV3DRep* NUV3DRep::GetChild(int) const { return nullptr; }
void NUV3DRep::ComputeBoundingElement() {}
void NUV3DRep::Draw(NUVRender&, int) {}
