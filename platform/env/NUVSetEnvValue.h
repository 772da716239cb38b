// NUVSetEnvValue: defines, changes or removes an environment variable of
// this process, as NUVGetEnvValue reads it and as child processes inherit it.
//
//   NUVSetEnvValue("PLMSIM_KTR_SYNC", "");      // defined, empty
//   NUVSetEnvValue("PLMSIM_KTR_SYNC", nullptr); // removed
//
// Returns 0 on success, -1 for a name that is empty or holds '=' or when
// the system refuses. Threading: no other thread may read the environment
// meanwhile.
#ifndef NUVSetEnvValue_h
#define NUVSetEnvValue_h

#include "VelloranPlatformExport.h"

VPL_EXPORT int NUVSetEnvValue(const char* name, const char* value);

#endif
