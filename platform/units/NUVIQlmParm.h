// NUVIQlmParm: a named value of a magnitude (a parameter). Its type object
// is the magnitude, reached by narrowing:
//
//   NUVIQlmMagnitude_var magnitude(parameter->GetType());
//
// Threading: user-interface thread only.
#ifndef NUVIQlmParm_h
#define NUVIQlmParm_h

#include "NUVUnicodeString.h"
#include "NUVVar.h"

class VPL_EXPORT NUVIQlmParm : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  virtual NUVUnicodeString GetName() = 0;
  // The value in the magnitude's base unit.
  virtual double GetValue() = 0;
  // The parameter's type object (for a magnitude's parameter, an object that
  // answers NUVIQlmMagnitude); null when it has none.
  virtual NUVVar<NUVBaseUnknown> GetType() = 0;
};

#define IID_NUVIQlmParm (NUVIQlmParm::ClassId())
typedef NUVVar<NUVIQlmParm> NUVIQlmParm_var;

#endif
