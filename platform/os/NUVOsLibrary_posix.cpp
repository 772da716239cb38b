// Shared libraries through the dynamic loader.
#include <dlfcn.h>

#include "NUVOsLibrary.h"

void* NUVOsLibrary::Load(const char* path, std::string* error) {
  if (!path || !*path) {
    if (error) *error = "no library path given";
    return nullptr;
  }
  dlerror();  // forget an older failure
  void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (!library && error) {
    const char* reason = dlerror();
    *error = reason ? reason : "the library could not be loaded";
  }
  return library;
}

void* NUVOsLibrary::Symbol(void* library, const char* name) {
  if (!library || !name) return nullptr;
  return dlsym(library, name);
}

int NUVOsLibrary::Unload(void* library) {
  if (!library) return -1;
  return dlclose(library) == 0 ? 0 : -1;
}

std::string NUVOsLibrary::FileName(const char* name) { return "lib" + std::string(name) + ".so"; }

bool NUVOsLibrary::IsLoaded(const char* path) {
  if (!path || !*path) return false;
  void* library = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
  if (library) dlclose(library);  // the look itself counted a load
  return library != nullptr;
}
