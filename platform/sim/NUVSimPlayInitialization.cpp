#include "NUVSimPlayInitialization.h"

NUV_IMPLEMENT_CLASS(NUVSimPlayInitialization, NUVISimInitialization, "VelloranPlatform")

NUVSimPlayInitialization::NUVSimPlayInitialization() = default;
NUVSimPlayInitialization::~NUVSimPlayInitialization() = default;

long NUVSimPlayInitialization::GetOptions(NUVSimOptions& oOptions) {
  oOptions = _Options;
  return S_OK;
}
