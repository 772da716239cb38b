// A fuzzed message catalog read from its file, then the first word of each
// line built as a key with parameters: a key has its text or gives the
// default; parameters are never expanded twice; a catalog read again gives
// the same texts.
#include <cstdint>
#include <set>
#include <sstream>
#include <vector>

#include "FuzzTempFolder.h"
#include "NUVMsgCatalog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const FuzzTempFolder folder;
  static const int searched = (NUVMsgCatalog::AddCatalogDirectory(folder.path.c_str()), 0);
  const std::string input(reinterpret_cast<const char*>(data), size);
  folder.Write("Fuzzed.catalog", input);
  NUVMsgCatalog::Reload();
  const NUVUnicodeString p[2] = {NUVUnicodeString("{2}"), NUVUnicodeString("p2")};
  std::set<std::string> keys{"MissingKey", "", "{1}"};
  std::istringstream lines(input);
  std::string line;
  while (std::getline(lines, line)) {
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) continue;
    keys.insert(line.substr(start, line.find_first_of(" \t=", start) - start));
  }
  std::vector<std::pair<long, std::string>> built;
  for (int pass = 0; pass < 2; ++pass) {
    size_t i = 0;
    for (const std::string& key : keys) {
      NUVUnicodeString text;
      long rc = NUVMsgCatalog::BuildMessage("Fuzzed", key.c_str(), text, 2, p, "d {1}{2}{3}");
      FUZZ_CHECK(rc == S_OK || (rc == E_FAIL && text.Std() == "d {2}p2{3}"));
      if (pass == 0) built.emplace_back(rc, text.Std());
      else FUZZ_CHECK(built[i++] == std::make_pair(rc, text.Std()));
    }
    NUVMsgCatalog::Reload();
  }
  return searched;
}
