// NUVHostPaths: where a host finds the files shipped with the platform. The
// libraries a host loads (libVelloran and its commands) are installed beside
// the platform library, so a host finds them without any configuration.
//
//   std::string library = NUVHostPaths::PlatformLibraryFolder() + "/" +
//                         NUVOsLibrary::FileName("Velloran");
//
// Threading: any thread; it keeps no state.
#ifndef NUVHostPaths_h
#define NUVHostPaths_h

#include <string>

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVHostPaths {
 public:
  // The folder of the platform library, without a trailing separator; "."
  // when the system cannot tell.
  static std::string PlatformLibraryFolder();
};

#endif
