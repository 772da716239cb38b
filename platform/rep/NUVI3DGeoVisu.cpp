#include "NUVI3DGeoVisu.h"

NUV_IMPLEMENT_INTERFACE(NUVI3DGeoVisu, NUVBaseUnknown, "VelloranPlatform")
