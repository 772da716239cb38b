// NUVVidCtl3DViewer: a 3D viewer control, a view of the 3D model embedded in
// a panel. Callers register such controls per editor so that they are
// redrawn with the 3D windows.
//
//   NUVVidCtl3DViewer* control = new NUVVidCtl3DViewer;
//   control->DrawRequest();
//
// Threading: user-interface thread only.
#ifndef NUVVidCtl3DViewer_h
#define NUVVidCtl3DViewer_h

#include "NUVVidCtlViewerBase.h"

class VPL_EXPORT NUVVidCtl3DViewer : public NUVVidCtlViewerBase {
  NUV_DECLARE_CLASS
 public:
  NUVVidCtl3DViewer();
  ~NUVVidCtl3DViewer() override;
};

#endif
