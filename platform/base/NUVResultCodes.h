// Result codes and boolean convention shared by the platform and the library.
//
// Codes are 32-bit HRESULT-style values returned as `long`. A failure has the
// high bit set; the value is sign-extended, so it is negative also where
// `long` is 64 bits wide, and callers may test `result < 0`.
#ifndef NUVResultCodes_h
#define NUVResultCodes_h

#ifndef S_OK
#define S_OK ((long)0)
#endif
#ifndef S_FALSE
#define S_FALSE ((long)1)
#endif
#ifndef E_FAIL
#define E_FAIL ((long)(int)0x80004005)
#endif
#ifndef E_NOINTERFACE
#define E_NOINTERFACE ((long)(int)0x80004002)
#endif
#ifndef E_INVALIDARG
#define E_INVALIDARG ((long)(int)0x80070057)
#endif
#ifndef E_UNEXPECTED
#define E_UNEXPECTED ((long)(int)0x8000FFFF)
#endif
#ifndef E_OUTOFMEMORY
#define E_OUTOFMEMORY ((long)(int)0x8007000E)
#endif

#ifndef SUCCEEDED
#define SUCCEEDED(hr) ((long)(hr) >= 0)
#endif
#ifndef FAILED
#define FAILED(hr) ((long)(hr) < 0)
#endif

// Failures are negative whatever the width of long (32 bits on Windows, 64
// on Linux) and whoever defined the codes (the system's headers on Windows).
static_assert(E_FAIL < 0 && E_NOINTERFACE < 0 && E_INVALIDARG < 0 && E_UNEXPECTED < 0 &&
                  E_OUTOFMEMORY < 0 && S_OK == 0 && S_FALSE > 0,
              "failure codes must be negative longs");

#endif
