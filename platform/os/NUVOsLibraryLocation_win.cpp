// The platform library's folder from the module that contains this function.
// The system's header first: NUVOsCalls.h then adds nothing of its own.
#include <windows.h>

#include "NUVOsCalls.h"
#include "NUVOsLibraryLocation.h"

int NUVOsGetPlatformLibraryDirectory(std::string& oDirectory) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                              GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(&NUVOsGetPlatformLibraryDirectory), &module)) {
    return 0;
  }
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 0;
  std::string file(path, length);
  std::string::size_type slash = file.find_last_of("\\/");
  oDirectory = slash == std::string::npos ? std::string(".") : file.substr(0, slash);
  return 1;
}
