// NUVSYPCheckReport: what the platform's argument checks found. The event
// handler templates check their inputs with Check_Pointer_Failed__ and
// Check_TRUE_Failed__; a failed check is written to the standard error,
// counted here, and the checking code then declines to act. Nothing aborts.
//
//   int before = NUVSYPCheckReport::GetFailureCount();
//   ... // code under test; then compare GetFailureCount() and GetLastExpression()
//
// Threading: user-interface thread only.
#ifndef NUVSYPCheckReport_h
#define NUVSYPCheckReport_h

#include "VelloranPlatformExport.h"

// A pointer named `pointerName` was null.
VPL_EXPORT void Check_Pointer_Failed__(const char* pointerName);
// `expression` was false; `text`, when not null, says why that matters.
VPL_EXPORT void Check_TRUE_Failed__(const char* expression, const char* text = nullptr);

class VPL_EXPORT NUVSYPCheckReport {
 public:
  static int GetFailureCount();
  // The pointer name or expression of the last failed check ("" when none).
  static const char* GetLastExpression();
  // The explanation of the last failed check ("" when it had none).
  static const char* GetLastText();
  // Whether failures are also written to the standard error (on by default).
  static void SetEcho(unsigned char echo);
};

#endif
