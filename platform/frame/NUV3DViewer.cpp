#include "NUV3DViewer.h"

NUV_IMPLEMENT_CLASS(NUV3DViewer, NUVViewer, "VelloranPlatform")

NUV3DViewer::NUV3DViewer() = default;
NUV3DViewer::~NUV3DViewer() = default;
