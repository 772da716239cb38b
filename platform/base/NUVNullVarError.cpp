#include "NUVNullVarError.h"

const char* NUVNullVarError::what() const noexcept { return "null interface handle used"; }

void ThrowErrorNullVar() { throw NUVNullVarError(); }
