#include "PlayUnits.h"

#include "NUVIQlmMagnitude.h"
#include "NUVParmDictionary.h"

bool PlayUnits::SelectTimeUnit(const std::string& label) {
  NUVIQlmParmFactory_var factory = NUVParmDictionary::GetVolatileFactory();
  if (!factory) return false;
  NUVIQlmParm_var parameter = factory->CreateTime("TimeUnits", 1.0);
  if (!parameter) return false;
  NUVIQlmMagnitude_var time(parameter->GetType());
  return !!time && time->SetCurrentUnit(NUVUnicodeString(label)) != NUVQlm::False;
}

PlayUnits::PlayUnits(const PlayCommandApi* api) : _pApi(api) {
  char label[64] = "s";
  if (_pApi && _pApi->timeUnit) _pApi->timeUnit(label, static_cast<int>(sizeof label), &_PerSecond);
  _Label = label;
}

std::string PlayUnits::Time(double seconds) const {
  char text[512] = "";
  if (_pApi && _pApi->encodeNumber) {
    _pApi->encodeNumber(seconds * _PerSecond, 3, text, static_cast<int>(sizeof text));
  }
  return std::string(text) + " " + _Label;
}
