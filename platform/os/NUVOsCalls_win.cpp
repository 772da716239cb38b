// The controls of NUVOsTestHooks.h on Windows, where the calls of
// NUVOsCalls.h are the system's own.
//
// Until a control is used, every module calls the system. A control diverts
// the calls of its group to a steered copy that behaves like the emulation
// of other systems: the clock controls divert QueryPerformanceFrequency,
// QueryPerformanceCounter and GetTickCount; the input controls divert
// PeekMessageW and GetAsyncKeyState to a queue and key table of their own.
// The diversion rewrites the import tables of this project's modules (the
// platform library and the modules that import it), never the system's nor
// the compiler runtime's;
// NUVOsLibrary applies it to each module it loads later. NUVOsUseSystemCalls
// puts the system's calls back.
// The system's header first: NUVOsCalls.h then adds nothing of its own.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "NUVOsCalls.h"
#include "NUVOsDivert.h"
#include "NUVOsTestHooks.h"

namespace {

enum Group { kClocks = 1, kInput = 2 };

const LONGLONG kNanosecondsPerSecond = 1000000000;

struct Steered {
  std::deque<MSG> queue;
  SHORT keyStates[256] = {};
  long keyStateCalls = 0;
  bool counterFails = false;
  LONGLONG frequency = kNanosecondsPerSecond;  // as the emulation elsewhere
  bool fakeCounter = false;
  LONGLONG fakeCount = 0;
  DWORD tickOffset = 0;
  bool fakeTicks = false;
  DWORD fakeTickCount = 0;
};

Steered steered;
int g_Diverted = 0;  // the groups diverted

// The system's calls, reached past the import table: this library's own
// imports are diverted too.
struct System {
  BOOL(WINAPI* frequency)(LARGE_INTEGER*);
  BOOL(WINAPI* counter)(LARGE_INTEGER*);
  DWORD(WINAPI* tickCount)(void);
};

template <class Function>
Function Resolve(const wchar_t* library, const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(library), name)));
}

const System& SystemCalls() {
  static const System calls = {
      Resolve<BOOL(WINAPI*)(LARGE_INTEGER*)>(L"kernel32.dll", "QueryPerformanceFrequency"),
      Resolve<BOOL(WINAPI*)(LARGE_INTEGER*)>(L"kernel32.dll", "QueryPerformanceCounter"),
      Resolve<DWORD(WINAPI*)(void)>(L"kernel32.dll", "GetTickCount")};
  return calls;
}

LONGLONG SystemFrequency() {
  LARGE_INTEGER f;
  return SystemCalls().frequency(&f) ? f.QuadPart : 0;
}

bool Matches(const MSG& message, HWND window, UINT first, UINT last) {
  if (window == reinterpret_cast<HWND>(static_cast<intptr_t>(-1))) {
    if (message.hwnd) return false;
  } else if (window && message.hwnd != window) {
    return false;
  }
  if (first == 0 && last == 0) return true;
  return message.message >= first && message.message <= last;
}

// --- The steered calls --------------------------------------------------------

BOOL WINAPI SteeredFrequency(LARGE_INTEGER* frequency) {
  if (!frequency) return FALSE;
  if (steered.counterFails) {
    frequency->QuadPart = 0;
    return FALSE;
  }
  frequency->QuadPart = steered.frequency;
  return TRUE;
}

BOOL WINAPI SteeredCounter(LARGE_INTEGER* count) {
  if (!count) return FALSE;
  if (steered.counterFails) {
    count->QuadPart = 0;
    return FALSE;
  }
  if (steered.fakeCounter) {
    count->QuadPart = steered.fakeCount;
    return TRUE;
  }
  LARGE_INTEGER now;
  SystemCalls().counter(&now);
  LONGLONG system = SystemFrequency();
  if (system > 0 && steered.frequency != system) {
    // The system's counter scaled to the steered rate, without overflow.
    __int128 scaled = static_cast<__int128>(now.QuadPart) * steered.frequency;
    now.QuadPart = static_cast<LONGLONG>(scaled / system);
  }
  *count = now;
  return TRUE;
}

DWORD WINAPI SteeredTickCount(void) {
  if (steered.fakeTicks) return steered.fakeTickCount;
  return SystemCalls().tickCount() + steered.tickOffset;
}

BOOL WINAPI SteeredPeek(MSG* message, HWND window, UINT first, UINT last, UINT removeFlag) {
  for (auto it = steered.queue.begin(); it != steered.queue.end(); ++it) {
    if (!Matches(*it, window, first, last)) continue;
    if (message) *message = *it;
    if (removeFlag & PM_REMOVE) steered.queue.erase(it);
    return TRUE;
  }
  return FALSE;
}

SHORT WINAPI SteeredKeyState(int virtualKey) {
  ++steered.keyStateCalls;
  if (virtualKey < 0 || virtualKey > 255) return 0;
  return steered.keyStates[virtualKey];
}

// --- Import tables ------------------------------------------------------------

struct Target {
  const char* library;  // lower case
  const char* name;
  int group;
  void* replacement;
};

const Target kTargets[] = {
    {"kernel32.dll", "QueryPerformanceFrequency", kClocks, reinterpret_cast<void*>(&SteeredFrequency)},
    {"kernel32.dll", "QueryPerformanceCounter", kClocks, reinterpret_cast<void*>(&SteeredCounter)},
    {"kernel32.dll", "GetTickCount", kClocks, reinterpret_cast<void*>(&SteeredTickCount)},
    {"user32.dll", "PeekMessageW", kInput, reinterpret_cast<void*>(&SteeredPeek)},
    {"user32.dll", "GetAsyncKeyState", kInput, reinterpret_cast<void*>(&SteeredKeyState)},
};

// A rewritten import slot and what it held.
struct Patch {
  void** slot;
  void* original;
  int group;
};
std::vector<Patch> g_Patches;

bool Write(void** slot, void* value) {
  DWORD old;
  if (!VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old)) return false;
  *slot = value;
  VirtualProtect(slot, sizeof(void*), old, &old);
  return true;
}

bool SameLibrary(const char* imported, const char* wanted) {
  size_t n = std::strlen(wanted);
  if (std::strlen(imported) != n) return false;
  for (size_t i = 0; i < n; ++i) {
    char c = imported[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != wanted[i]) return false;
  }
  return true;
}

// Rewrites the slots of `module` that import a target of the `groups`.
void DivertModule(HMODULE module, int groups) {
  auto* base = reinterpret_cast<unsigned char*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return;
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!imports.VirtualAddress) return;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name;
       ++d) {
    const char* library = reinterpret_cast<const char*>(base + d->Name);
    if (!d->OriginalFirstThunk) continue;  // no names to go by
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      for (const Target& t : kTargets) {
        if (!(groups & t.group) || !SameLibrary(library, t.library) ||
            std::strcmp(reinterpret_cast<const char*>(byName->Name), t.name) != 0) {
          continue;
        }
        void** slot = reinterpret_cast<void**>(&slots->u1.Function);
        if (*slot == t.replacement) continue;  // done already
        void* original = *slot;
        if (Write(slot, t.replacement)) g_Patches.push_back({slot, original, t.group});
      }
    }
  }
}

// The file name of `module` without its folder, in UTF-8 ("" when unknown).
std::string NameOf(HMODULE module) {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  std::string file(path, length);
  size_t slash = file.find_last_of("\\/");
  return slash == std::string::npos ? file : file.substr(slash + 1);
}

bool Imports(HMODULE module, const std::string& library) {
  auto* base = reinterpret_cast<unsigned char*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  if (library.empty() || dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!imports.VirtualAddress) return false;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name;
       ++d) {
    if (_stricmp(reinterpret_cast<const char*>(base + d->Name), library.c_str()) == 0) return true;
  }
  return false;
}

// This project's modules: the platform library and every module that
// imports it (the library, the programs, the commands). The compiler's
// runtime beside them is not one of them: its own clock must stay the
// system's, or the event loop would keep the steered time.
std::vector<HMODULE> OwnModules() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&SteeredCounter), &self);
  std::vector<HMODULE> modules{self};
  const std::string platform = NameOf(self);
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId());
  if (snapshot == INVALID_HANDLE_VALUE) return modules;
  MODULEENTRY32W entry;
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry)) {
    if (entry.hModule != self && Imports(entry.hModule, platform)) modules.push_back(entry.hModule);
  }
  CloseHandle(snapshot);
  return modules;
}

void Divert(int groups) {
  if ((g_Diverted & groups) == groups) return;
  g_Diverted |= groups;
  for (HMODULE module : OwnModules()) DivertModule(module, g_Diverted);
}

}  // namespace

void NUVOsDivertLoadedModule(void* module) {
  // The module may have brought others of this project with it: all of them.
  if (!g_Diverted || !module) return;
  for (HMODULE own : OwnModules()) DivertModule(own, g_Diverted);
}

void NUVOsForgetModule(const void* base, size_t size) {
  // Its slots went with it: nothing may write there any more.
  auto* begin = static_cast<const unsigned char*>(base);
  std::vector<Patch> kept;
  for (const Patch& p : g_Patches) {
    auto* slot = reinterpret_cast<const unsigned char*>(p.slot);
    if (slot < begin || slot >= begin + size) kept.push_back(p);
  }
  g_Patches.swap(kept);
}

int NUVOsUseSystemCalls() {
  for (auto it = g_Patches.rbegin(); it != g_Patches.rend(); ++it) Write(it->slot, it->original);
  g_Patches.clear();
  g_Diverted = 0;
  return 1;
}

// --- Input controls -----------------------------------------------------------

int NUVOsPostInputMessage(UINT message, WPARAM wParam, LPARAM lParam, HWND window) {
  Divert(kInput);
  if (steered.queue.size() >= NUVOS_INPUT_QUEUE_CAPACITY) return 0;
  MSG posted = {};
  posted.hwnd = window;
  posted.message = message;
  posted.wParam = wParam;
  posted.lParam = lParam;
  posted.time = g_Diverted & kClocks ? SteeredTickCount() : SystemCalls().tickCount();
  steered.queue.push_back(posted);
  return 1;
}

void NUVOsClearInputQueue() {
  Divert(kInput);
  steered.queue.clear();
}

int NUVOsInputQueueSize() {
  Divert(kInput);
  return static_cast<int>(steered.queue.size());
}

int NUVOsSetAsyncKeyState(int virtualKey, int down) {
  Divert(kInput);
  if (virtualKey < 0 || virtualKey > 255) return 0;
  steered.keyStates[virtualKey] = down ? static_cast<SHORT>(-0x8000) : 0;
  return 1;
}

long NUVOsAsyncKeyStateCallCount() {
  Divert(kInput);
  return steered.keyStateCalls;
}

// --- Clock controls -----------------------------------------------------------

int NUVOsForcePerformanceCounterFailure(int fail) {
  Divert(kClocks);
  steered.counterFails = fail != 0;
  return 1;
}

int NUVOsSetPerformanceFrequency(LONGLONG countsPerSecond) {
  Divert(kClocks);
  steered.frequency = countsPerSecond ? countsPerSecond : kNanosecondsPerSecond;
  return 1;
}

int NUVOsSetFakePerformanceCounter(int enabled, LONGLONG count) {
  Divert(kClocks);
  steered.fakeCounter = enabled != 0;
  steered.fakeCount = count;
  return 1;
}

int NUVOsAdvancePerformanceCounter(LONGLONG counts) {
  Divert(kClocks);
  steered.fakeCount = static_cast<LONGLONG>(static_cast<uint64_t>(steered.fakeCount) +
                                            static_cast<uint64_t>(counts));
  return 1;
}

int NUVOsSetTickCountOffset(DWORD offset) {
  Divert(kClocks);
  steered.tickOffset = offset;
  return 1;
}

int NUVOsSetFakeTickCount(int enabled, DWORD ticks) {
  Divert(kClocks);
  steered.fakeTicks = enabled != 0;
  steered.fakeTickCount = ticks;
  return 1;
}

int NUVOsAdvanceTickCount(DWORD milliseconds) {
  Divert(kClocks);
  steered.fakeTickCount += milliseconds;
  return 1;
}

void NUVOsResetEmulation() {
  // The steered start state, both groups diverted: the queue is empty and
  // every key up, whatever the system's queue and keyboard hold.
  Divert(kClocks | kInput);
  steered = Steered();
}
