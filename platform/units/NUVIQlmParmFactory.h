// NUVIQlmParmFactory: creates parameters of a magnitude from a name and a
// value in the base unit. The order of the three operations is part of the
// interface.
//
//   NUVIQlmParm_var time = factory->CreateTime("Duration", 1.0);
//   if (!!time) ...;   // null on failure
//
// Threading: user-interface thread only.
#ifndef NUVIQlmParmFactory_h
#define NUVIQlmParmFactory_h

#include "NUVIQlmParm.h"

class VPL_EXPORT NUVIQlmParmFactory : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  virtual NUVIQlmParm_var CreateLength(const NUVUnicodeString& iName, double iValue) = 0;
  virtual NUVIQlmParm_var CreateAngle(const NUVUnicodeString& iName, double iValue) = 0;
  virtual NUVIQlmParm_var CreateTime(const NUVUnicodeString& iName, double iValue) = 0;
};

#define IID_NUVIQlmParmFactory (NUVIQlmParmFactory::ClassId())
typedef NUVVar<NUVIQlmParmFactory> NUVIQlmParmFactory_var;

#endif
