// NUV2DViewer: a plain viewer that shows something other than the 3D model
// (a chart, a 2D sheet). Windows with such a viewer are not 3D windows.
//
//   NUV2DViewer* viewer = new NUV2DViewer;
//   NUVFrmWindow* window = new NUVFrmWindow(editor, viewer);
//
// Threading: user-interface thread only.
#ifndef NUV2DViewer_h
#define NUV2DViewer_h

#include "NUVViewer.h"

class VPL_EXPORT NUV2DViewer : public NUVViewer {
  NUV_DECLARE_CLASS
 public:
  NUV2DViewer();
  ~NUV2DViewer() override;
};

#endif
