#include "NUVEzrErrorHandlerCustomData.h"

#include "NUVError.h"

NUV_IMPLEMENT_CLASS(NUVEzrErrorHandlerCustomData, NUVBaseUnknown, "VelloranPlatform")

NUVEzrErrorHandlerCustomData::NUVEzrErrorHandlerCustomData() = default;
NUVEzrErrorHandlerCustomData::~NUVEzrErrorHandlerCustomData() = default;

int NUVEzrErrorHandlerCustomData::GetNumberOfColumns() { return 0; }

long NUVEzrErrorHandlerCustomData::GetColumnDescription(int, NUVString&, NUVUnicodeString&, int&,
                                                        unsigned char&) {
  return E_FAIL;
}

long NUVEzrErrorHandlerCustomData::GetColumnText(const NUVString&, NUVError*, NUVUnicodeString&) {
  return E_FAIL;
}

long NUVEzrErrorHandlerCustomData::GetText(NUVError* error, NUVUnicodeString& oText) {
  if (!error) return E_FAIL;
  oText = error->GetMessageText();
  return S_OK;
}
