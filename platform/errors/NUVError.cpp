#include "NUVError.h"

#include <string>

#include "NUVMsgCatalog.h"

NUV_IMPLEMENT_CLASS(NUVError, NUVBaseUnknown, "VelloranPlatform")

NUVError::NUVError(const char* messageKey, const char* catalog)
    : _MessageKey(messageKey), _CatalogName(catalog), _Type(NUVErrorTypeError) {}

NUVError::~NUVError() = default;

NUVUnicodeString NUVError::GetMessageText() const {
  std::string fallback = _MessageKey.Std() + " (" + _CatalogName.Std() + ")";
  NUVUnicodeString text;
  NUVMsgCatalog::BuildMessage(_CatalogName.CastToCharPtr(), _MessageKey.CastToCharPtr(), text, 0,
                              nullptr, fallback.c_str());
  return text;
}
