#include "NUVRecord.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>

#include "NUVResultCodes.h"

namespace {

const char kHeader[] = "NUVRecord 1";
const char kLevelKind[] = "level";

NUVRecord* mainRecorder = nullptr;

// Closes the main recorder when the platform is unloaded, so that a capture
// left running by the host still ends with a closed file.
struct MainRecorderCloser {
  ~MainRecorderCloser() { NUVRecord::EndMain(); }
};
const MainRecorderCloser closer;

bool IsValidName(const char* name) {
  if (!name || !*name) return false;
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(name); *c; ++c) {
    if (*c <= ' ' || *c == 0x7f) return false;
  }
  return true;
}

bool ParseInt(const std::string& text, int* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long parsed = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || parsed < INT_MIN || parsed > INT_MAX) return false;
  // strtol accepts leading white space and a '+'; the format does not.
  if (text[0] != '-' && (text[0] < '0' || text[0] > '9')) return false;
  *value = static_cast<int>(parsed);
  return true;
}

// Splits "level <name> <value>"; false for any other line.
bool ParseLevelLine(const std::string& line, std::string* name, int* value) {
  size_t kindEnd = line.find(' ');
  if (kindEnd == std::string::npos || line.compare(0, kindEnd, kLevelKind) != 0) return false;
  size_t nameEnd = line.find(' ', kindEnd + 1);
  if (nameEnd == std::string::npos) return false;
  *name = line.substr(kindEnd + 1, nameEnd - kindEnd - 1);
  if (!IsValidName(name->c_str())) return false;
  return ParseInt(line.substr(nameEnd + 1), value);
}

}  // namespace

NUVRecord::NUVRecord(Mode mode, const char* path) : _Mode(mode), _Path(path), _pFile(nullptr) {}

NUVRecord::~NUVRecord() {
  if (_pFile) std::fclose(_pFile);
}

NUVRecord* NUVRecord::GetMain() { return mainRecorder; }

long NUVRecord::StartCapture(const char* path) { return StartMain(Capture, path); }

long NUVRecord::StartReplay(const char* path) { return StartMain(Replay, path); }

long NUVRecord::StartMain(Mode mode, const char* path) {
  EndMain();
  if (!path || !*path) return E_INVALIDARG;
  NUVRecord* recorder = new NUVRecord(mode, path);
  long rc = recorder->Open();
  if (rc != S_OK) {
    delete recorder;
    return rc;
  }
  mainRecorder = recorder;
  return S_OK;
}

void NUVRecord::EndMain() {
  NUVRecord* recorder = mainRecorder;
  mainRecorder = nullptr;
  delete recorder;
}

long NUVRecord::Open() {
  if (_Mode == Capture) {
    _pFile = std::fopen(_Path.c_str(), "wb");  // the same bytes on every system
    if (!_pFile) return E_FAIL;
    if (std::fprintf(_pFile, "%s\n", kHeader) < 0 || std::fflush(_pFile) != 0) return E_FAIL;
    return S_OK;
  }
  std::ifstream in(_Path);
  std::string line;
  if (!in || !std::getline(in, line)) return E_FAIL;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line != kHeader) return E_FAIL;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string name;
    int value = 0;
    if (ParseLevelLine(line, &name, &value)) _Levels[name] = value;
  }
  return S_OK;
}

int NUVRecord::IsCapture() const { return _Mode == Capture; }

int NUVRecord::IsReplay() const { return _Mode == Replay; }

int NUVRecord::GetSoftwareRecordLevel(char* name, int* level) const {
  if (!name || !level) return 0;
  auto found = _Levels.find(name);
  if (found == _Levels.end()) return 0;
  *level = found->second;
  return 1;
}

long NUVRecord::SetSoftwareRecordLevel(char* name, int level) {
  if (!IsValidName(name)) return E_INVALIDARG;
  if (_Mode != Capture || !_pFile) return E_FAIL;
  if (std::fprintf(_pFile, "%s %s %d\n", kLevelKind, name, level) < 0 ||
      std::fflush(_pFile) != 0) {
    return E_FAIL;
  }
  _Levels[name] = level;
  return S_OK;
}
