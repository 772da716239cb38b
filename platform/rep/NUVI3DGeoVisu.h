// NUVI3DGeoVisu: the interface of a model object that is shown in 3D: it
// gives the representation that shows it.
//
//   NUVI3DGeoVisu_var geo(object);
//   NUV3DRep* rep = !!geo ? geo->GiveRep() : nullptr;   // borrowed
//
// Threading: user-interface thread only.
#ifndef NUVI3DGeoVisu_h
#define NUVI3DGeoVisu_h

#include "NUVVar.h"

class NUV3DRep;

class VPL_EXPORT NUVI3DGeoVisu : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // The representation, borrowed (the object keeps it alive), or null.
  virtual NUV3DRep* GiveRep() = 0;
};

#define IID_NUVI3DGeoVisu (NUVI3DGeoVisu::ClassId())
typedef NUVVar<NUVI3DGeoVisu> NUVI3DGeoVisu_var;

#endif
