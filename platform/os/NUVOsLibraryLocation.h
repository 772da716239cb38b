// NUVOsLibraryLocation: the folder that holds the platform library's file,
// so that files shipped beside the library (message catalogs) are found
// without any configuration.
//
//   std::string folder;
//   if (NUVOsGetPlatformLibraryDirectory(folder)) path = folder + "/../resources";
//
// Internal to the platform layer (not exported). Threading: any thread; it
// keeps no state.
#ifndef NUVOsLibraryLocation_h
#define NUVOsLibraryLocation_h

#include <string>

// Sets oDirectory to the folder of the platform library, without a trailing
// separator, and returns 1; returns 0 and leaves oDirectory as it was when
// the system cannot tell.
int NUVOsGetPlatformLibraryDirectory(std::string& oDirectory);

#endif
