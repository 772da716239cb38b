// Shared libraries (DLLs) through the Windows loader. Paths come in UTF-8
// and are converted to UTF-16 for LoadLibraryW.
// The system's header first: NUVOsCalls.h then adds nothing of its own.
#include <windows.h>

#include <string>

#include "NUVOsCalls.h"
#include "NUVOsDivert.h"
#include "NUVOsLibrary.h"

namespace {

std::wstring Widen(const char* utf8) {
  int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, &wide[0], length);
  wide.resize(static_cast<size_t>(length) - 1);  // without the terminator
  return wide;
}

std::string SystemMessage(DWORD code) {
  wchar_t* text = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message;
  if (length && text) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                    nullptr, nullptr);
    message.resize(static_cast<size_t>(bytes));
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), &message[0], bytes, nullptr,
                        nullptr);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
  }
  if (text) LocalFree(text);
  if (message.empty()) message = "error " + std::to_string(code);
  return message;
}

}  // namespace

void* NUVOsLibrary::Load(const char* path, std::string* error) {
  if (!path || !*path) {
    if (error) *error = "no library path given";
    return nullptr;
  }
  std::wstring wide = Widen(path);
  if (wide.empty()) {
    if (error) *error = "the library path is not valid UTF-8";
    return nullptr;
  }
  HMODULE library = LoadLibraryW(wide.c_str());
  if (!library && error) *error = std::string(path) + ": " + SystemMessage(GetLastError());
  NUVOsDivertLoadedModule(library);
  return reinterpret_cast<void*>(library);
}

void* NUVOsLibrary::Symbol(void* library, const char* name) {
  if (!library || !name) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

int NUVOsLibrary::Unload(void* library) {
  if (!library) return -1;
  auto* base = static_cast<unsigned char*>(library);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  size_t size = nt->OptionalHeader.SizeOfImage;
  if (!FreeLibrary(static_cast<HMODULE>(library))) return -1;
  HMODULE still = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                              GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(base), &still)) {
    NUVOsForgetModule(base, size);
  }
  return 0;
}

std::string NUVOsLibrary::FileName(const char* name) { return std::string(name) + ".dll"; }

bool NUVOsLibrary::IsLoaded(const char* path) {
  if (!path || !*path) return false;
  std::wstring wide = Widen(path);
  if (wide.empty()) return false;
  // A bare name is looked up as the loader knows it; a path, in full.
  if (wide.find_first_of(L"\\/") != std::wstring::npos) {
    wchar_t full[MAX_PATH];
    DWORD length = GetFullPathNameW(wide.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return false;
    wide.assign(full, length);
  }
  HMODULE module = nullptr;
  return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, wide.c_str(), &module) != 0;
}
