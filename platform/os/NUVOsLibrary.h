// NUVOsLibrary: loading a shared library at run time and finding its
// symbols, the way a host loads the library it plays with.
//
//   std::string why;
//   std::string file = NUVOsLibrary::FileName("Velloran");  // libVelloran.so
//   void* library = NUVOsLibrary::Load(file.c_str(), &why);
//   if (!library) fail(why);
//   auto entry = reinterpret_cast<Entry>(NUVOsLibrary::Symbol(library, "VelloranEntry"));
//   ...
//   NUVOsLibrary::Unload(library);
//
// Paths are UTF-8 on every system. Threading: any thread; the class keeps no
// state of its own (the system's loader counts the loads of each library).
#ifndef NUVOsLibrary_h
#define NUVOsLibrary_h

#include <string>

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVOsLibrary {
 public:
  // Loads the shared library at `path` (UTF-8); null on failure, with the
  // system's reason in `*error` when given. A library loaded twice is
  // counted twice and needs two Unload calls.
  static void* Load(const char* path, std::string* error = nullptr);
  // Address of the exported symbol `name`, null when the library has none
  // (or either argument is null).
  static void* Symbol(void* library, const char* name);
  // 0 on success, -1 on failure (including a null library).
  static int Unload(void* library);
  // The file name of the library called `name` on this system:
  // libNAME.so on POSIX systems, NAME.dll on Windows.
  static std::string FileName(const char* name);
  // Whether the library at `path` is in the process now (loaded by anyone),
  // without loading it.
  static bool IsLoaded(const char* path);
};

#endif
