// NUV3DBoundingSphere: the sphere a representation's geometry lies in, kept
// by the representation for quick tests (picking, culling, geometry checks).
//
//   NUV3DBoundingSphere s(0.f, 0.f, 0.f, 2.f, 1);
//   if ((s.GetStatus() & 7) && s.GetRadius() != 0.f) ...   // has geometry
//
// The status's three lowest bits say how the sphere was obtained (1 set from
// the geometry, 2 computed from children, 4 given by the caller); all three
// clear means "no geometry". A value; no shared state.
#ifndef NUV3DBoundingSphere_h
#define NUV3DBoundingSphere_h

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUV3DBoundingSphere {
 public:
  NUV3DBoundingSphere() : _Center{0.f, 0.f, 0.f}, _Radius(0.f), _Status(0) {}
  NUV3DBoundingSphere(float cx, float cy, float cz, float radius, unsigned int status)
      : _Center{cx, cy, cz}, _Radius(radius), _Status(status) {}

  float GetRadius() const { return _Radius; }
  unsigned int GetStatus() const { return _Status; }
  // Three floats x, y, z.
  const float* GetCenter() const { return _Center; }

 private:
  float _Center[3];
  float _Radius;
  unsigned int _Status;
};

#endif
