#include "NUV2DViewer.h"

NUV_IMPLEMENT_CLASS(NUV2DViewer, NUVViewer, "VelloranPlatform")

NUV2DViewer::NUV2DViewer() = default;
NUV2DViewer::~NUV2DViewer() = default;
