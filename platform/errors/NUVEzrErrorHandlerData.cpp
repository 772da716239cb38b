#include "NUVEzrErrorHandlerData.h"

#include "NUVEzrErrorHandlerCustomData.h"

NUVEzrErrorHandlerData::NUVEzrErrorHandlerData(const NUVUnicodeString& kind,
                                               const NUVUnicodeString& title)
    : _Kind(kind), _Title(title), _pCustomData(nullptr) {}

NUVEzrErrorHandlerData::NUVEzrErrorHandlerData(const NUVEzrErrorHandlerData& other)
    : _Kind(other._Kind), _Title(other._Title), _pCustomData(other._pCustomData) {
  if (_pCustomData) _pCustomData->AddRef();
}

NUVEzrErrorHandlerData& NUVEzrErrorHandlerData::operator=(const NUVEzrErrorHandlerData& other) {
  if (this != &other) {
    _Kind = other._Kind;
    _Title = other._Title;
    SetCustomData(other._pCustomData);
  }
  return *this;
}

NUVEzrErrorHandlerData::~NUVEzrErrorHandlerData() { SetCustomData(nullptr); }

void NUVEzrErrorHandlerData::SetCustomData(NUVEzrErrorHandlerCustomData* customData) {
  if (customData) customData->AddRef();
  NUVEzrErrorHandlerCustomData* old = _pCustomData;
  _pCustomData = customData;
  if (old) old->Release();
}
