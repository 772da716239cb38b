// NUV3DViewer: a viewer of the 3D model. Only its class matters to callers: a window
// whose viewer is a kind of NUV3DViewer is a 3D window.
//
//   NUV3DViewer* viewer = new NUV3DViewer;
//   NUVFrmWindow* window = new NUVFrmWindow(editor, viewer);
//
// Threading: user-interface thread only.
#ifndef NUV3DViewer_h
#define NUV3DViewer_h

#include "NUVViewer.h"

class VPL_EXPORT NUV3DViewer : public NUVViewer {
  NUV_DECLARE_CLASS
 public:
  NUV3DViewer();
  ~NUV3DViewer() override;
};

#endif
