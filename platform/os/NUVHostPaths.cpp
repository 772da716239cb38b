#include "NUVHostPaths.h"

#include "NUVOsLibraryLocation.h"

std::string NUVHostPaths::PlatformLibraryFolder() {
  std::string folder;
  return NUVOsGetPlatformLibraryDirectory(folder) ? folder : std::string(".");
}
