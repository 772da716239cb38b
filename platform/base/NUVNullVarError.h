// NUVNullVarError: raised when code uses a null interface handle.
#ifndef NUVNullVarError_h
#define NUVNullVarError_h

#include <exception>

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVNullVarError : public std::exception {
 public:
  const char* what() const noexcept override;
};

// Throws NUVNullVarError. Handles call it when dereferenced while null.
[[noreturn]] VPL_EXPORT void ThrowErrorNullVar();

#endif
