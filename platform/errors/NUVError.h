// NUVError: an error reported to the user: a message key in a message
// catalog, and its type (severity). The text the user reads is built from
// the catalog when asked for.
//
//   NUVError* error = new NUVError("ERR_0001", "VelloranAgentError");
//   error->SetInformationOnErrorType(NUVErrorTypeError);
//
// Reference counted. Threading: user-interface thread only.
#ifndef NUVError_h
#define NUVError_h

#include "NUVBaseUnknown.h"
#include "NUVErrorType.h"
#include "NUVString.h"
#include "NUVUnicodeString.h"

class VPL_EXPORT NUVError : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Null key or catalog read as empty. The type starts as NUVErrorTypeError.
  NUVError(const char* messageKey, const char* catalog);
  ~NUVError() override;
  NUVError(const NUVError&) = delete;
  NUVError& operator=(const NUVError&) = delete;

  const NUVString& GetMessageKey() const { return _MessageKey; }
  const NUVString& GetCatalogName() const { return _CatalogName; }

  virtual void SetInformationOnErrorType(NUVErrorType type) { _Type = type; }
  virtual NUVErrorType GetInformationOnErrorType() const { return _Type; }

  // The catalog's text for the key; when the catalog or the key cannot be
  // found, "<key> (<catalog>)" so that the user still sees which error it is.
  virtual NUVUnicodeString GetMessageText() const;

 private:
  NUVString _MessageKey;
  NUVString _CatalogName;
  NUVErrorType _Type;
};

#endif
