// Fuzzes the decoding of typed unit values: any text gives a verdict; a
// refused text leaves the value as it was, an accepted one gives a finite
// value, and the value written back as text decodes again.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "NUVSimVizServices.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  typedef unsigned char (*Decode)(NUVUnicodeString&, double&);
  static const Decode decoders[] = {&NUVSimVizServices::DecodeTimeString,
                                    &NUVSimVizServices::DecodeLengthString,
                                    &NUVSimVizServices::DecodeAngleString};
  static const char* const baseUnits[] = {" s", " m", " rad"};
  if (size == 0) return 0;
  const int family = data[0] % 3;
  NUVUnicodeString text(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  const double untouched = 1234.5;
  double value = untouched;
  if (!decoders[family](text, value)) {
    if (value != untouched) std::abort();
    return 0;
  }
  if (!std::isfinite(value)) std::abort();
  NUVUnicodeString written;
  NUVSimVizServices::EncodeDouble(value, written, 17);
  written += baseUnits[family];
  double again = 0;
  if (!decoders[family](written, again)) std::abort();
  return 0;
}
