// Export macro of the platform layer. Symbols are hidden by default; the
// platform's public classes carry VPL_EXPORT.
#ifndef VelloranPlatformExport_h
#define VelloranPlatformExport_h

#if defined(_WIN32)
#  if defined(VELLORAN_PLATFORM_BUILD)
#    define VPL_EXPORT __declspec(dllexport)
#  else
#    define VPL_EXPORT __declspec(dllimport)
#  endif
#else
#  define VPL_EXPORT __attribute__((visibility("default")))
#endif

#endif
