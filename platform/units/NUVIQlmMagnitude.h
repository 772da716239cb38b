// NUVIQlmMagnitude: a physical magnitude (time, length, angle): its units,
// the user's current unit, and the decoding of typed values.
//
//   NUVIQlmMagnitude_var magnitude(parameter->GetType());
//   double seconds = 0;
//   if (!!magnitude && magnitude->Decode("150 ms", seconds)) ...;   // 0.15
//
// Values are always decoded into the base unit (s, m, rad). The current unit
// is the user's choice for display and for numbers typed without a unit; it
// is process-wide, one per magnitude.
// Threading: user-interface thread only.
#ifndef NUVIQlmMagnitude_h
#define NUVIQlmMagnitude_h

#include "NUVIQlmUnit.h"
#include "NUVQlm.h"

class VPL_EXPORT NUVIQlmMagnitude : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Decodes "<number> [unit]" into the base unit. True and `oValue` written
  // on success; False and `oValue` untouched otherwise.
  virtual NUVQlm::Boolean Decode(const NUVUnicodeString& iText, double& oValue) = 0;
  // The user's current unit; null if the magnitude has none.
  virtual NUVIQlmUnit_var GetCurrentUnit() = 0;
  // Selects one of the magnitude's own units by label; False (and no
  // change) for a label it does not know.
  virtual NUVQlm::Boolean SetCurrentUnit(const NUVUnicodeString& iLabel) = 0;
  // Selects any unit object, also one the magnitude does not know (a unit
  // defined by the host); null is refused.
  virtual NUVQlm::Boolean SetCurrentUnit(NUVIQlmUnit* iUnit) = 0;
};

#define IID_NUVIQlmMagnitude (NUVIQlmMagnitude::ClassId())
typedef NUVVar<NUVIQlmMagnitude> NUVIQlmMagnitude_var;

#endif
