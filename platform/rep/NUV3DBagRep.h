// NUV3DBagRep: a 3D representation that groups other representations,
// optionally placed by its own matrix (from the bag's coordinates into its
// parent's); the unit a caller hands over to be shown as a whole.
//
//   NUV3DBagRep* bag = new NUV3DBagRep;
//   bag->AddChild(box); box->Release();
//   bag->SetMatrix(NUV4x4Matrix(place));
//
// The bag holds one reference on each child. Its bounding sphere, once
// ComputeBoundingElement ran, holds its children's spheres carried by its
// matrix.
// Threading: user-interface thread only.
#ifndef NUV3DBagRep_h
#define NUV3DBagRep_h

#include <memory>
#include <vector>

#include "NUV3DRep.h"
#include "NUV4x4Matrix.h"

class VPL_EXPORT NUV3DBagRep : public NUV3DRep {
  NUV_DECLARE_CLASS
 public:
  NUV3DBagRep();
  ~NUV3DBagRep() override;
  NUV3DBagRep(const NUV3DBagRep&) = delete;
  NUV3DBagRep& operator=(const NUV3DBagRep&) = delete;

  // Appends `child` and holds a reference; null or a child already held is
  // ignored.
  void AddChild(NUV3DRep* child);
  // Removes `child` and gives its reference back; a stranger is ignored.
  void RemoveChild(NUV3DRep* child);
  NUV3DRep* GetChild(int index) const override;

  // The bag's own matrix, or null when it has none (the identity).
  NUV4x4Matrix* GetMatrix() { return _pMatrix.get(); }
  void SetMatrix(const NUV4x4Matrix& matrix);

  void ComputeBoundingElement() override;
  // Draws the children under the bag's matrix, unless the bag is hidden.
  void Draw(NUVRender& render, int mode) override;

 private:
  std::vector<NUV3DRep*> _Children;  // one reference each
  std::unique_ptr<NUV4x4Matrix> _pMatrix;
};

#endif
