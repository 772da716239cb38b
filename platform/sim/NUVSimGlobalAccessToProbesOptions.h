// NUVSimGlobalAccessToProbesOptions: the user's options of the simulation
// probes that every module reads, here the handling of simulation errors.
// Hosts and tests change them with the setters; a getter answers the current
// setting at each call.
//
//   NUVSimGlobalAccessToProbesOptions::ErrorOptions options;
//   NUVSimGlobalAccessToProbesOptions::GetErrorOptions(options);   // ErrorsReported by default
//
// Threading: user-interface thread only.
#ifndef NUVSimGlobalAccessToProbesOptions_h
#define NUVSimGlobalAccessToProbesOptions_h

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVSimGlobalAccessToProbesOptions {
 public:
  // What happens to the errors simulation code raises. Only ErrorsReported
  // shows them; any other value, including ones not named here, drops them.
  enum ErrorOptions : int {
    ErrorsIgnored = 0,
    ErrorsReported = 1,  // default
  };

  // oOptions := the user's setting; S_OK.
  static long GetErrorOptions(ErrorOptions& oOptions);
  static void SetErrorOptions(ErrorOptions iOptions);
  static void ResetToDefaults();
};

#endif
