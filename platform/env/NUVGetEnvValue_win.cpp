// Environment variables through the process's environment block, in UTF-16
// converted from and to UTF-8. Unlike the C library's copy, the block holds
// variables defined with an empty value, as POSIX environments do.
// The system's header first: NUVOsCalls.h then adds nothing of its own.
#include <windows.h>

#include <cstring>
#include <string>

#include "NUVGetEnvValue.h"
#include "NUVSetEnvValue.h"

namespace {

bool Widen(const char* utf8, std::wstring& wide) {
  int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
  if (length <= 0) return false;
  wide.assign(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, &wide[0], length);
  wide.resize(static_cast<size_t>(length) - 1);
  return true;
}

}  // namespace

int NUVGetEnvValue(const char* name, char** value) {
  if (value) *value = nullptr;
  std::wstring wideName;
  if (!name || !Widen(name, wideName)) return 1;
  SetLastError(ERROR_SUCCESS);
  DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (size == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return 1;
  std::wstring wide(size, L'\0');
  // The variable may change between the calls: read until it fits.
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    DWORD length = GetEnvironmentVariableW(wideName.c_str(), &wide[0], static_cast<DWORD>(wide.size()));
    if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return 1;
    if (length < wide.size()) {
      wide.resize(length);
      break;
    }
    wide.assign(length, L'\0');
  }
  if (value) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
    *value = new char[static_cast<size_t>(bytes) + 1];
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), *value, bytes,
                        nullptr, nullptr);
    (*value)[bytes] = '\0';
  }
  return 0;
}

int NUVSetEnvValue(const char* name, const char* value) {
  std::wstring wideName, wideValue;
  if (!name || !*name || std::strchr(name, '=') || !Widen(name, wideName)) return -1;
  if (value && !Widen(value, wideValue)) return -1;
  return SetEnvironmentVariableW(wideName.c_str(), value ? wideValue.c_str() : nullptr) ? 0 : -1;
}
