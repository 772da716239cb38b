// NUV3DBoundingBoxRender: a render that draws nothing visible and measures
// instead: the axis-aligned box, in the render's frame, of all geometry
// drawn into it.
//
//   NUV3DBoundingBoxRender render(support, NUVMathTransformation());
//   bag->Draw(render, 1);
//   NUVMathPoint low, high;
//   if (render.GetBoundingBox(low, high) == S_OK) ...
//
// A box drawn under a rotation counts with its eight corners carried into
// the render's frame, so the result holds the geometry but may be larger
// than its tightest box.
// Threading: user-interface thread only.
#ifndef NUV3DBoundingBoxRender_h
#define NUV3DBoundingBoxRender_h

#include "NUVMathBox.h"
#include "NUVRender.h"

class VPL_EXPORT NUV3DBoundingBoxRender : public NUVRender {
 public:
  NUV3DBoundingBoxRender(NUVSupport& support, const NUVMathTransformation& initial);

  void DrawBox(const NUVMathPoint& low, const NUVMathPoint& high) override;
  // The box so far: S_OK, or E_FAIL with `oLow` and `oHigh` untouched when
  // no geometry was drawn.
  long GetBoundingBox(NUVMathPoint& oLow, NUVMathPoint& oHigh) const;

 private:
  NUVMathBox _Box;
};

#endif
