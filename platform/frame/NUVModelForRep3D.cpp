#include "NUVModelForRep3D.h"

#include "NUV3DBagRep.h"

NUV_IMPLEMENT_CLASS(NUVModelForRep3D, NUVBaseUnknown, "VelloranPlatform")

NUVModelForRep3D::NUVModelForRep3D() : _pRep(nullptr) {}

NUVModelForRep3D::~NUVModelForRep3D() {
  if (_pRep) _pRep->Release();
  _pRep = nullptr;
}

void NUVModelForRep3D::SetRep(NUV3DBagRep* rep) {
  if (rep) rep->AddRef();
  NUV3DBagRep* old = _pRep;
  _pRep = rep;
  if (old) old->Release();
}
