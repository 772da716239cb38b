#include "NUVQlmNumbersDisplay.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

int showTrailingZeros = 0;

// Drops the zeros ending the fraction of text[0, length), and the point when
// nothing is left after it; an exponent after the fraction moves up.
size_t DropTrailingZeros(char* text, size_t length) {
  char* end = text + length;
  char* point = std::find(text, end, '.');
  if (point == end) return length;
  char* exponent = std::find(point, end, 'e');
  char* last = exponent;
  while (last > point + 1 && last[-1] == '0') --last;
  if (last == point + 1) last = point;
  std::memmove(last, exponent, static_cast<size_t>(end - exponent));
  return length - static_cast<size_t>(exponent - last);
}

}  // namespace

int NUVQlmNumbersDisplay::GetShowTrailingZerosProperty() { return showTrailingZeros; }

void NUVQlmNumbersDisplay::SetShowTrailingZerosProperty(int show) { showTrailingZeros = show; }

char* NUVQlmNumbersDisplay::DoubleToString(double value, int precision, int trailingZeros,
                                           unsigned char flag) {
  if (precision < 0) precision = 0;
  if (precision > kMaxPrecision) precision = kMaxPrecision;
  // The longest text: sign, 309 integral digits, point, kMaxPrecision digits.
  char text[400];
  const std::chars_format format = flag ? std::chars_format::scientific : std::chars_format::fixed;
  std::to_chars_result written = std::to_chars(text, text + sizeof text, value, format, precision);
  size_t length = written.ec == std::errc() ? static_cast<size_t>(written.ptr - text) : 0;
  if (!trailingZeros) length = DropTrailingZeros(text, length);
  char* out = new char[length + 1];
  std::memcpy(out, text, length);
  out[length] = 0;
  return out;
}
