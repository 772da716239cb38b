// NUVIBuildPath: an object of the product that can say where it sits, as the
// path from the top of its tree down to itself.
//
//   NUVIBuildPath_var builder(object);
//   NUVPathElement* path = nullptr;
//   if (builder && builder->BuildPath(start, &path) >= 0) { Use(path); path->Release(); }
//
// Threading: user-interface thread only.
#ifndef NUVIBuildPath_h
#define NUVIBuildPath_h

#include "NUVVar.h"

class NUVPathElement;

class VPL_EXPORT NUVIBuildPath : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // *oPath := a new path with one reference for the caller: the objects of
  // iStart (none when null), then the objects from the top of the tree down
  // to this object. E_INVALIDARG for a null oPath; E_OUTOFMEMORY with
  // *oPath null when the path cannot be allocated.
  virtual long BuildPath(NUVPathElement* iStart, NUVPathElement** oPath) = 0;
};

#define IID_NUVIBuildPath (NUVIBuildPath::ClassId())
typedef NUVVar<NUVIBuildPath> NUVIBuildPath_var;

#endif
