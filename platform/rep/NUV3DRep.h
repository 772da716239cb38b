// NUV3DRep: base of the 3D representations, the drawable side of a model
// object. A representation keeps a bounding sphere, an attribute word (bit
// value 8: hidden) and the identity of the model object it shows; the
// representations form a tree, bags holding children.
//
//   NUV3DRep* rep = occurrenceGeo->GiveRep();
//   if (rep && !rep->IsHidden()) rep->Draw(render, 1);
//
// Reference counted; created with one reference for the creator.
// Threading: user-interface thread only.
#ifndef NUV3DRep_h
#define NUV3DRep_h

#include "NUV3DBoundingSphere.h"
#include "NUVBaseUnknown.h"
#include "NUVModelIdentificator.h"

class NUVRender;

class VPL_EXPORT NUV3DRep : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Attribute bit: the representation and everything below it is not drawn.
  static const unsigned int HiddenAttribute = 8;

  NUV3DRep();
  ~NUV3DRep() override;
  NUV3DRep(const NUV3DRep&) = delete;
  NUV3DRep& operator=(const NUV3DRep&) = delete;

  // In the coordinates the parent draws this representation in (its own
  // matrix, if any, applied).
  const NUV3DBoundingSphere& GetBoundingElement() const { return _BoundingElement; }
  void SetBoundingElement(const NUV3DBoundingSphere& sphere) { _BoundingElement = sphere; }
  unsigned int GetAttributes() const { return _Attributes; }
  void SetAttributes(unsigned int attributes) { _Attributes = attributes; }
  int IsHidden() const { return (_Attributes & HiddenAttribute) != 0; }

  // Children by index 0, 1, ... until null; borrowed. The base has none.
  virtual NUV3DRep* GetChild(int index) const;
  // Brings the bounding sphere up to date from the children (a leaf's
  // sphere is set from its geometry and stays).
  virtual void ComputeBoundingElement();
  NUVModelIdentificator& GetModelIdentificator() { return _ModelId; }
  // Draws into `render` unless hidden; `mode` is the caller's pass and is
  // handed down to the children unchanged. The base draws nothing.
  virtual void Draw(NUVRender& render, int mode);

 private:
  NUV3DBoundingSphere _BoundingElement;
  unsigned int _Attributes;
  NUVModelIdentificator _ModelId;
};

#endif
