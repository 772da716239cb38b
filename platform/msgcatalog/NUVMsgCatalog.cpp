#include "NUVMsgCatalog.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "NUVGetEnvValue.h"
#include "NUVOsLibraryLocation.h"
#include "NUVResultCodes.h"

namespace {

typedef std::map<std::string, std::string> Messages;

struct CatalogState {
  std::vector<std::string> addedDirectories;  // latest first
  // Catalog name to its messages; null for a catalog that was not found.
  std::map<std::string, std::unique_ptr<Messages>> catalogs;
};

CatalogState& State() {
  // Never destroyed: texts may be asked for from other static destructors.
  static CatalogState* state = new CatalogState;
  return *state;
}

bool IsKeyChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         c == '_' || c == '.' || c == '-';
}

// A catalog name becomes a file name: only plain names, never a path.
bool IsValidCatalogName(const char* name) {
  if (!name || !*name || name[0] == '.') return false;
  for (const char* p = name; *p; ++p) {
    if (!IsKeyChar(*p)) return false;
  }
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Parses `Key = "text"` with an optional ';' and trailing comment; false for
// anything else.
bool ParseLine(const std::string& line, std::string& key, std::string& text) {
  std::size_t i = 0, n = line.size();
  while (i < n && IsBlank(line[i])) ++i;
  std::size_t keyStart = i;
  while (i < n && IsKeyChar(line[i])) ++i;
  if (i == keyStart) return false;
  key.assign(line, keyStart, i - keyStart);
  while (i < n && IsBlank(line[i])) ++i;
  if (i >= n || line[i] != '=') return false;
  ++i;
  while (i < n && IsBlank(line[i])) ++i;
  if (i >= n || line[i] != '"') return false;
  ++i;
  text.clear();
  bool closed = false;
  while (i < n) {
    char c = line[i++];
    if (c == '"') {
      closed = true;
      break;
    }
    if (c == '\\' && i < n) {
      char e = line[i++];
      switch (e) {
        case 'n': text += '\n'; break;
        case 't': text += '\t'; break;
        case '"': text += '"'; break;
        case '\\': text += '\\'; break;
        default: text += '\\'; text += e; break;
      }
      continue;
    }
    text += c;
  }
  if (!closed) return false;
  while (i < n && IsBlank(line[i])) ++i;
  if (i < n && line[i] == ';') ++i;
  while (i < n && IsBlank(line[i])) ++i;
  if (i == n) return true;
  return line[i] == '#' || line.compare(i, 2, "//") == 0;
}

std::unique_ptr<Messages> ReadCatalogFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  auto messages = std::make_unique<Messages>();
  std::string line, key, text;
  bool first = true;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (first && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    first = false;
    if (ParseLine(line, key, text)) (*messages)[key] = text;
  }
  return messages;
}

std::vector<std::string> SearchDirectories() {
  std::vector<std::string> dirs = State().addedDirectories;
  char* resources = nullptr;
  if (NUVGetEnvValue("VELLORAN_RESOURCES", &resources) == 0 && *resources) {
    dirs.push_back(std::string(resources) + "/msgcatalog");
  }
  delete[] resources;
  std::string libraryDir;
  if (NUVOsGetPlatformLibraryDirectory(libraryDir)) {
    dirs.push_back(libraryDir + "/../resources/msgcatalog");
  }
  return dirs;
}

const Messages* FindCatalog(const std::string& name) {
  auto& catalogs = State().catalogs;
  auto it = catalogs.find(name);
  if (it != catalogs.end()) return it->second.get();
  std::unique_ptr<Messages> found;
  for (const std::string& dir : SearchDirectories()) {
    found = ReadCatalogFile(dir + "/" + name + ".catalog");
    if (found) break;
  }
  const Messages* result = found.get();
  catalogs[name] = std::move(found);
  return result;
}

void ReplaceParameters(const std::string& text, int count, const NUVUnicodeString* parameters,
                       std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '{' && i + 2 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9' &&
        text[i + 2] == '}') {
      int index = text[i + 1] - '1';
      if (parameters && index < count) {
        out += parameters[index].Std();
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
}

}  // namespace

long NUVMsgCatalog::BuildMessage(const char* catalog, const char* key, NUVUnicodeString& oText,
                                 int parameterCount, const NUVUnicodeString* parameters,
                                 const char* defaultText) {
  const std::string* text = nullptr;
  if (IsValidCatalogName(catalog) && key && *key) {
    if (const Messages* messages = FindCatalog(catalog)) {
      auto it = messages->find(key);
      if (it != messages->end()) text = &it->second;
    }
  }
  std::string built;
  ReplaceParameters(text ? *text : std::string(defaultText ? defaultText : ""), parameterCount,
                    parameters, built);
  oText = NUVUnicodeString(built);
  return text ? S_OK : E_FAIL;
}

void NUVMsgCatalog::AddCatalogDirectory(const char* directory) {
  if (!directory || !*directory) return;
  auto& dirs = State().addedDirectories;
  dirs.insert(dirs.begin(), directory);
  Reload();
}

void NUVMsgCatalog::RemoveCatalogDirectory(const char* directory) {
  if (!directory) return;
  auto& dirs = State().addedDirectories;
  auto it = std::find(dirs.begin(), dirs.end(), directory);
  if (it != dirs.end()) dirs.erase(it);
  Reload();
}

void NUVMsgCatalog::Reload() { State().catalogs.clear(); }
