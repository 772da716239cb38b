// NUVQlmNumbersDisplay: how the user wants numbers shown, and the formatter
// that applies it.
//
//   char* text = NUVQlmNumbersDisplay::DoubleToString(
//       2.5, 3, NUVQlmNumbersDisplay::GetShowTrailingZerosProperty(), 0);
//   ...; delete[] text;   // "2.5", or "2.500" with trailing zeros shown
//
// Threading: user-interface thread only; the setting is process-wide.
#ifndef NUVQlmNumbersDisplay_h
#define NUVQlmNumbersDisplay_h

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVQlmNumbersDisplay {
 public:
  // Digits after the decimal point are clamped to [0, kMaxPrecision].
  static const int kMaxPrecision = 17;

  // Non-zero: numbers keep the zeros that end their fraction. Off at start.
  static int GetShowTrailingZerosProperty();
  static void SetShowTrailingZerosProperty(int show);

  // `value` with `precision` digits after the decimal point (clamped), in
  // fixed notation when `flag` is 0 and in scientific notation ("1.5e+03")
  // otherwise. When `trailingZeros` is 0, the zeros ending the fraction are
  // dropped, and the decimal point with them when nothing remains after it.
  // Not finite values give "nan", "inf", "-inf". Decimal point '.', whatever
  // the locale. The caller frees the buffer with delete[].
  static char* DoubleToString(double value, int precision, int trailingZeros, unsigned char flag);
};

#endif
