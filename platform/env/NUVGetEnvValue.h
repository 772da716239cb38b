// NUVGetEnvValue: looks up an environment variable.
//
// Returns 0 when the variable is defined (also when empty) and 1 when it is
// not. When `value` is not null and the variable is defined, *value receives a
// copy that the caller frees with `delete[]`.
#ifndef NUVGetEnvValue_h
#define NUVGetEnvValue_h

#include "VelloranPlatformExport.h"

VPL_EXPORT int NUVGetEnvValue(const char* name, char** value = nullptr);

#endif
