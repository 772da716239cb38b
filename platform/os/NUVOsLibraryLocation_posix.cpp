// The platform library's folder from the dynamic loader: dladdr of a function
// of this library names the file it was loaded from.
#include <dlfcn.h>

#include "NUVOsLibraryLocation.h"

int NUVOsGetPlatformLibraryDirectory(std::string& oDirectory) {
  Dl_info info;
  if (!dladdr(reinterpret_cast<void*>(&NUVOsGetPlatformLibraryDirectory), &info) ||
      !info.dli_fname || !*info.dli_fname) {
    return 0;
  }
  std::string file(info.dli_fname);
  std::string::size_type slash = file.rfind('/');
  if (slash == std::string::npos) {
    oDirectory = ".";
  } else {
    oDirectory = slash == 0 ? std::string("/") : file.substr(0, slash);
  }
  return 1;
}
