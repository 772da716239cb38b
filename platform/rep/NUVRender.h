// NUVRender: what representations draw into. A render keeps the current
// placement (from the coordinates being drawn to the render's frame) as a
// stack: a representation with its own matrix pushes it, draws its children
// and pops it. Derived renders decide what drawing means (measuring,
// picking, pixels) by implementing the primitives.
//
//   render.PushPlacement(matrix.GetTransformation());  // child -> parent
//   render.DrawBox(low, high);                          // in the child's frame
//   render.PopPlacement();
//
// Threading: user-interface thread only; a render lives for one draw.
#ifndef NUVRender_h
#define NUVRender_h

#include <vector>

#include "NUVMathTransformation.h"
#include "NUVSupport.h"

class VPL_EXPORT NUVRender {
 public:
  // `initial` carries the top representation's coordinates into the
  // render's frame.
  NUVRender(NUVSupport& support, const NUVMathTransformation& initial);
  virtual ~NUVRender();
  NUVRender(const NUVRender&) = delete;
  NUVRender& operator=(const NUVRender&) = delete;

  // Enters a child frame: `childToParent` is applied before the current
  // placement. Every push is matched by a pop.
  void PushPlacement(const NUVMathTransformation& childToParent);
  // Leaves it; a pop without a push is ignored.
  void PopPlacement();
  const NUVMathTransformation& GetCurrentPlacement() const { return _Stack.back(); }
  NUVSupport& GetSupport() const { return _Support; }

  // An axis-aligned box of the current frame, low and high corners.
  virtual void DrawBox(const NUVMathPoint& low, const NUVMathPoint& high) = 0;

 private:
  NUVSupport& _Support;
  std::vector<NUVMathTransformation> _Stack;  // never empty: the initial placement stays
};

#endif
