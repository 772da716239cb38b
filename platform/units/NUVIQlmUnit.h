// NUVIQlmUnit: one unit of a magnitude (second, millimetre, degree...).
//
//   NUVIQlmUnit_var unit = magnitude->GetCurrentUnit();
//   double secondsPerUnit = unit->Convert(1.0);   // 0.001 for "ms"
//
// Convert takes a value expressed in this unit and gives it in the
// magnitude's base unit (s, m, rad); its inverse is a division.
// Threading: user-interface thread only.
#ifndef NUVIQlmUnit_h
#define NUVIQlmUnit_h

#include "NUVUnicodeString.h"
#include "NUVVar.h"

class VPL_EXPORT NUVIQlmUnit : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // The symbol shown after a value ("ms").
  virtual NUVUnicodeString GetLabel() = 0;
  // `value` in this unit, expressed in the base unit.
  virtual double Convert(double value) = 0;
};

#define IID_NUVIQlmUnit (NUVIQlmUnit::ClassId())
typedef NUVVar<NUVIQlmUnit> NUVIQlmUnit_var;

#endif
