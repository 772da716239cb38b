// NUV3DBagRep: a 3D representation that groups other representations; the
// unit a caller hands over to be shown as a whole.
//
//   NUV3DBagRep* rep = new NUV3DBagRep;
//   holder->SetRep(rep); rep->Release();
//
// Threading: user-interface thread only.
#ifndef NUV3DBagRep_h
#define NUV3DBagRep_h

#include "NUVBaseUnknown.h"

class VPL_EXPORT NUV3DBagRep : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUV3DBagRep();
  ~NUV3DBagRep() override;
  NUV3DBagRep(const NUV3DBagRep&) = delete;
  NUV3DBagRep& operator=(const NUV3DBagRep&) = delete;
};

#endif
