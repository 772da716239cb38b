// Forward declarations of the simulation engine's interfaces and their
// handle types, for headers that name a handle without needing the
// interface's operations. Each interface's own header repeats its typedef.
#ifndef NUVSimHandles_h
#define NUVSimHandles_h

#include "NUVVar.h"

class NUVISimAgentKeyFrame;
class NUVISimAgentNegociatedTime;
class NUVISimControllerKeyFrame;
class NUVISimControllerNegociatedTime;
class NUVISimInitialization;
class NUVISimSyncAgentSupport;

typedef NUVVar<NUVISimAgentKeyFrame> NUVISimAgentKeyFrame_var;
typedef NUVVar<NUVISimAgentNegociatedTime> NUVISimAgentNegociatedTime_var;
typedef NUVVar<NUVISimControllerKeyFrame> NUVISimControllerKeyFrame_var;
typedef NUVVar<NUVISimControllerNegociatedTime> NUVISimControllerNegociatedTime_var;
typedef NUVVar<NUVISimInitialization> NUVISimInitialization_var;
typedef NUVVar<NUVISimSyncAgentSupport> NUVISimSyncAgentSupport_var;

#endif
