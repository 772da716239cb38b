#include "NUVQlmMagnitude.h"

#include <charconv>
#include <cmath>

// A unit of the platform's own magnitudes: a label and a fixed ratio.
class NUVQlmFixedUnit : public NUVIQlmUnit {
  NUV_DECLARE_CLASS
 public:
  NUVQlmFixedUnit(const char* label, double toBase) : _Label(label), _ToBase(toBase) {}
  NUVUnicodeString GetLabel() override { return _Label; }
  double Convert(double value) override { return value * _ToBase; }

 private:
  NUVUnicodeString _Label;
  double _ToBase;
};

NUV_IMPLEMENT_CLASS(NUVQlmFixedUnit, NUVIQlmUnit, "VelloranPlatform")

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipDigits(const std::string& s, size_t i) {
  while (i < s.size() && IsDigit(s[i])) ++i;
  return i;
}

// Scans a decimal number from `i`; `end` is where it stops. False when there
// is no digit before the exponent.
bool ScanNumber(const std::string& s, size_t i, size_t& end) {
  const size_t integral = i;
  i = SkipDigits(s, i);
  bool digits = i > integral;
  if (i < s.size() && s[i] == '.') {
    const size_t fraction = i + 1;
    i = SkipDigits(s, fraction);
    digits = digits || i > fraction;
  }
  if (!digits) return false;
  // An exponent only when digits follow; otherwise the letter starts the unit.
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t e = i + 1;
    if (e < s.size() && (s[e] == '+' || s[e] == '-')) ++e;
    const size_t exponent = SkipDigits(s, e);
    if (exponent > e) i = exponent;
  }
  end = i;
  return true;
}

}  // namespace

NUV_IMPLEMENT_CLASS(NUVQlmMagnitude, NUVIQlmMagnitude, "VelloranPlatform")

NUVQlmMagnitude::NUVQlmMagnitude(const UnitDefinition* units, int count, int initial) {
  for (int i = 0; i < count; ++i) {
    NUVQlmFixedUnit* unit = new NUVQlmFixedUnit(units[i].label, units[i].toBase);
    NUVIQlmUnit_var handle;
    handle.Attach(unit);
    _Units.push_back(handle);
  }
  if (initial >= 0 && initial < count) _Current = _Units[static_cast<size_t>(initial)];
}

NUVQlmMagnitude::~NUVQlmMagnitude() = default;

NUVQlmMagnitude* NUVQlmMagnitude::Time() {
  static const UnitDefinition units[] = {{"s", 1}, {"ms", 1e-3}, {"min", 60}, {"h", 3600}};
  static NUVQlmMagnitude* magnitude = new NUVQlmMagnitude(units, 4, 0);
  return magnitude;
}

NUVQlmMagnitude* NUVQlmMagnitude::Length() {
  static const UnitDefinition units[] = {{"m", 1},     {"mm", 1e-3},     {"cm", 1e-2},
                                         {"km", 1e3},  {"in", 0.0254},   {"ft", 0.3048}};
  static NUVQlmMagnitude* magnitude = new NUVQlmMagnitude(units, 6, 1);
  return magnitude;
}

NUVQlmMagnitude* NUVQlmMagnitude::Angle() {
  static const UnitDefinition units[] = {{"rad", 1}, {"deg", 3.14159265358979323846 / 180}};
  static NUVQlmMagnitude* magnitude = new NUVQlmMagnitude(units, 2, 1);
  return magnitude;
}

NUVIQlmUnit_var NUVQlmMagnitude::FindUnit(const std::string& label) const {
  for (const NUVIQlmUnit_var& unit : _Units) {
    if (unit->GetLabel().Std() == label) return unit;
  }
  return nullptr;
}

NUVQlm::Boolean NUVQlmMagnitude::Decode(const NUVUnicodeString& iText, double& oValue) {
  const std::string& s = iText.Std();
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  size_t end = 0;
  if (!ScanNumber(s, i, end)) return NUVQlm::False;
  double number = 0;
  // from_chars reads the C format whatever the locale, and reports a number
  // that a double cannot hold.
  const std::from_chars_result read = std::from_chars(s.data() + i, s.data() + end, number);
  if (read.ec != std::errc() || read.ptr != s.data() + end) return NUVQlm::False;
  if (negative) number = -number;

  i = end;
  while (i < s.size() && IsBlank(s[i])) ++i;
  const size_t labelStart = i;
  while (i < s.size() && !IsBlank(s[i])) ++i;
  const std::string label = s.substr(labelStart, i - labelStart);
  while (i < s.size() && IsBlank(s[i])) ++i;
  if (i != s.size()) return NUVQlm::False;

  NUVIQlmUnit_var unit = label.empty() ? _Current : FindUnit(label);
  if (!unit) return NUVQlm::False;
  const double value = unit->Convert(number);
  if (!std::isfinite(value)) return NUVQlm::False;
  oValue = value;
  return NUVQlm::True;
}

NUVIQlmUnit_var NUVQlmMagnitude::GetCurrentUnit() { return _Current; }

NUVQlm::Boolean NUVQlmMagnitude::SetCurrentUnit(const NUVUnicodeString& iLabel) {
  NUVIQlmUnit_var unit = FindUnit(iLabel.Std());
  if (!unit) return NUVQlm::False;
  _Current = unit;
  return NUVQlm::True;
}

NUVQlm::Boolean NUVQlmMagnitude::SetCurrentUnit(NUVIQlmUnit* iUnit) {
  if (!iUnit) return NUVQlm::False;
  _Current = iUnit;
  return NUVQlm::True;
}
