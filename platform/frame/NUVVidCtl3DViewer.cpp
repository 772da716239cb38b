#include "NUVVidCtl3DViewer.h"

NUV_IMPLEMENT_CLASS(NUVVidCtl3DViewer, NUVVidCtlViewerBase, "VelloranPlatform")

NUVVidCtl3DViewer::NUVVidCtl3DViewer() = default;
NUVVidCtl3DViewer::~NUVVidCtl3DViewer() = default;
