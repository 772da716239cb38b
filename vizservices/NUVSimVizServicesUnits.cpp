// The unit strings of NUVSimVizServices: decoding, current units and number
// display, all delegated to the platform's magnitude and units framework.
#include <cstdint>
#include <memory>

#include "NUVIQlmMagnitude.h"
#include "NUVParmDictionary.h"
#include "NUVQlmNumbersDisplay.h"
#include "NUVSimVizServices.h"

namespace {

// What distinguishes the three families: the parameter's name and which of
// the factory's creation operations makes it.
struct UnitFamily {
  const char* parameterName;
  NUVIQlmParm_var (NUVIQlmParmFactory::*create)(const NUVUnicodeString&, double);
};

const UnitFamily kTime = {"TimeUnits", &NUVIQlmParmFactory::CreateTime};
const UnitFamily kLength = {"LengthUnits", &NUVIQlmParmFactory::CreateLength};
const UnitFamily kAngle = {"AngleUnits", &NUVIQlmParmFactory::CreateAngle};

// The family's magnitude through a new volatile parameter of value 1.0, or
// null. A null factory throws the null-handle error, deliberately uncaught.
NUVIQlmMagnitude_var LookUpMagnitude(const UnitFamily& family) {
  const NUVUnicodeString name(family.parameterName);
  NUVIQlmParmFactory_var factory = NUVParmDictionary::GetVolatileFactory();
  NUVIQlmParmFactory* creator = factory.operator->();
  NUVIQlmParm_var parameter = (creator->*family.create)(name, 1.0);
  if (!parameter) return nullptr;
  return NUVIQlmMagnitude_var(parameter->GetType());
}

unsigned char Decode(const UnitFamily& family, NUVUnicodeString& iText, double& oValue) {
  NUVIQlmMagnitude_var magnitude = LookUpMagnitude(family);
  if (!magnitude) return 0;
  return static_cast<unsigned char>(magnitude->Decode(iText, oValue));
}

void Units(const UnitFamily& family, NUVUnicodeString& oUnitLabel, double& oFactor,
           double& oInverse) {
  oFactor = 1.0;
  NUVIQlmMagnitude_var magnitude = LookUpMagnitude(family);
  if (!magnitude) return;
  NUVIQlmUnit_var unit = magnitude->GetCurrentUnit();
  if (!unit) return;
  oUnitLabel = unit->GetLabel();
  const double factor = unit->Convert(1.0);
  oFactor = factor;
  if (!(factor > 0)) {  // NaN too
    oFactor = 1.0;
    oInverse = 1.0;
  } else if (factor < 1) {
    // Rounded so that a factor of 0.001 gives 1000 and not 999.999...; an
    // inverse beyond the 32-bit range (a factor under 4.7e-10) saturates
    // instead of overflowing the conversion.
    const double rounded = 1.0 / factor + 0.5;
    oInverse = rounded < 2147483648.0 ? static_cast<double>(static_cast<std::int32_t>(rounded))
                                      : 2147483647.0;
  } else {
    oInverse = 1.0 / factor;
  }
}

}  // namespace

unsigned char NUVSimVizServices::DecodeTimeString(NUVUnicodeString& iText, double& oValue) {
  return Decode(kTime, iText, oValue);
}

unsigned char NUVSimVizServices::DecodeLengthString(NUVUnicodeString& iText, double& oValue) {
  return Decode(kLength, iText, oValue);
}

unsigned char NUVSimVizServices::DecodeAngleString(NUVUnicodeString& iText, double& oValue) {
  return Decode(kAngle, iText, oValue);
}

void NUVSimVizServices::GetTimeUnits(NUVUnicodeString& oUnitLabel, double& oFactor,
                                     double& oInverse) {
  Units(kTime, oUnitLabel, oFactor, oInverse);
}

void NUVSimVizServices::GetLengthUnits(NUVUnicodeString& oUnitLabel, double& oFactor,
                                       double& oInverse) {
  Units(kLength, oUnitLabel, oFactor, oInverse);
}

void NUVSimVizServices::GetAngleUnits(NUVUnicodeString& oUnitLabel, double& oFactor,
                                      double& oInverse) {
  Units(kAngle, oUnitLabel, oFactor, oInverse);
}

void NUVSimVizServices::EncodeDouble(double iValue, NUVUnicodeString& oText, int iPrecision) {
  const int trailingZeros = NUVQlmNumbersDisplay::GetShowTrailingZerosProperty();
  std::unique_ptr<char[]> text(
      NUVQlmNumbersDisplay::DoubleToString(iValue, iPrecision, trailingZeros, 0));
  oText = NUVUnicodeString(text.get());
}
