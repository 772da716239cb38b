#include "NUVSimGlobalAccessToProbesOptions.h"

#include "NUVResultCodes.h"

namespace {
// Constant initialisation: readable from any static constructor.
NUVSimGlobalAccessToProbesOptions::ErrorOptions g_ErrorOptions =
    NUVSimGlobalAccessToProbesOptions::ErrorsReported;
}  // namespace

long NUVSimGlobalAccessToProbesOptions::GetErrorOptions(ErrorOptions& oOptions) {
  oOptions = g_ErrorOptions;
  return S_OK;
}

void NUVSimGlobalAccessToProbesOptions::SetErrorOptions(ErrorOptions iOptions) {
  g_ErrorOptions = iOptions;
}

void NUVSimGlobalAccessToProbesOptions::ResetToDefaults() {
  g_ErrorOptions = ErrorsReported;
}
