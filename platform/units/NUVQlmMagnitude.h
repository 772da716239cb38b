// NUVQlmMagnitude: the platform's own magnitudes (time, length, angle), with
// their units, the user's current unit and the decoding of typed values.
// Reached by the rest of the system through NUVIQlmMagnitude, as the type
// object of the parameters that NUVParmDictionary's factory creates.
//
//   NUVIQlmMagnitude_var time(NUVQlmMagnitude::Time());
//   time->SetCurrentUnit("ms");
//
// Texts decoded: optional blanks (space, tab), a decimal number (optional
// sign, digits with an optional fraction, an optional exponent), optional
// blanks, an optional unit label of this magnitude, optional blanks. The
// value is returned in the base unit. A number without a unit is taken in
// the user's current unit, as users type numbers in the unit they see.
// Refused, with the value untouched: an empty or blank text, a unit of
// another magnitude or an unknown one, "nan", "inf", hexadecimal, anything
// after the unit, a number outside the range of a double (too large or too
// small to represent) and a result that is not finite.
//
// Units: time s (base), ms, min, h; length m (base), mm, cm, km, in, ft;
// angle rad (base), deg. Labels are matched exactly. The current units start
// as s, mm and deg.
//
// Threading: user-interface thread only; the magnitudes are process-wide.
#ifndef NUVQlmMagnitude_h
#define NUVQlmMagnitude_h

#include <vector>

#include "NUVIQlmMagnitude.h"

class VPL_EXPORT NUVQlmMagnitude : public NUVIQlmMagnitude {
  NUV_DECLARE_CLASS
 public:
  struct UnitDefinition {
    const char* label;
    double toBase;  // one of this unit in the base unit
  };

  // `units[0]` is the base unit; `initial` indexes the first current unit.
  NUVQlmMagnitude(const UnitDefinition* units, int count, int initial);
  ~NUVQlmMagnitude() override;

  // The process-wide magnitudes, borrowed (they live until the process ends).
  static NUVQlmMagnitude* Time();
  static NUVQlmMagnitude* Length();
  static NUVQlmMagnitude* Angle();

  NUVQlm::Boolean Decode(const NUVUnicodeString& iText, double& oValue) override;
  NUVIQlmUnit_var GetCurrentUnit() override;
  NUVQlm::Boolean SetCurrentUnit(const NUVUnicodeString& iLabel) override;
  NUVQlm::Boolean SetCurrentUnit(NUVIQlmUnit* iUnit) override;

 private:
  NUVIQlmUnit_var FindUnit(const std::string& label) const;

  std::vector<NUVIQlmUnit_var> _Units;
  NUVIQlmUnit_var _Current;
};

#endif
