// Export macro of libVelloran. Symbols are hidden by default; only the
// library's public classes carry VELLORAN_EXPORT.
// Threading: macros only; the exported classes say where they run (the
// application's user-interface thread).
#ifndef VelloranExport_h
#define VelloranExport_h

#if defined(_WIN32)
#  if defined(VELLORAN_BUILD)
#    define VELLORAN_EXPORT __declspec(dllexport)
#  else
#    define VELLORAN_EXPORT __declspec(dllimport)
#  endif
#else
#  define VELLORAN_EXPORT __attribute__((visibility("default")))
#endif

// Members of an exported class that only the library itself calls.
#if defined(_WIN32)
#  define VELLORAN_INTERNAL
#else
#  define VELLORAN_INTERNAL __attribute__((visibility("hidden")))
#endif

#endif
