// NUVModelForRep3D: a model object that carries nothing but a 3D
// representation, so that the representation can be put into an editor's
// interactive set (NUVISO) and shown on top of the model.
//
//   NUVModelForRep3D* holder = new NUVModelForRep3D;
//   holder->SetRep(rep); iso->AddElement(holder);
//
// Threading: user-interface thread only.
#ifndef NUVModelForRep3D_h
#define NUVModelForRep3D_h

#include "NUVBaseUnknown.h"

class NUV3DBagRep;

class VPL_EXPORT NUVModelForRep3D : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUVModelForRep3D();
  ~NUVModelForRep3D() override;
  NUVModelForRep3D(const NUVModelForRep3D&) = delete;
  NUVModelForRep3D& operator=(const NUVModelForRep3D&) = delete;

  // Holds a reference on the new representation (null allowed) and gives
  // back the one on the former.
  void SetRep(NUV3DBagRep* rep);
  NUV3DBagRep* GetRep() const { return _pRep; }

 private:
  NUV3DBagRep* _pRep;
};

#endif
