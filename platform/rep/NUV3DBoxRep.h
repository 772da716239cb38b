// NUV3DBoxRep: a leaf representation whose geometry is an axis-aligned box
// of its own coordinates, the simplest solid a model object can show.
//
//   NUV3DBoxRep* box = new NUV3DBoxRep(NUVMathPoint(-1, -1, 0), NUVMathPoint(1, 1, 2));
//   bag->AddChild(box); box->Release();
//
// The corners are put in order per axis. The bounding sphere is set from
// the box at construction (status 1, centre the box's centre, radius half
// its diagonal; a box with equal corners has radius 0).
// Threading: user-interface thread only.
#ifndef NUV3DBoxRep_h
#define NUV3DBoxRep_h

#include "NUV3DRep.h"
#include "NUVMathPoint.h"

class VPL_EXPORT NUV3DBoxRep : public NUV3DRep {
  NUV_DECLARE_CLASS
 public:
  NUV3DBoxRep(const NUVMathPoint& low, const NUVMathPoint& high);
  ~NUV3DBoxRep() override;

  const NUVMathPoint& GetLow() const { return _Low; }
  const NUVMathPoint& GetHigh() const { return _High; }
  void Draw(NUVRender& render, int mode) override;

 private:
  NUVMathPoint _Low;
  NUVMathPoint _High;
};

#endif
