// The recorder replaying a fuzzed recording file, then capturing a level
// under each word of it: what a capture accepted must replay as written.
#include <cstdint>
#include <map>
#include <sstream>

#include "FuzzTempFolder.h"
#include "NUVRecord.h"
#include "NUVResultCodes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const FuzzTempFolder folder;
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::istringstream words(input);
  std::string word;
  if (NUVRecord::StartReplay(folder.Write("in.rec", input).c_str()) == S_OK) {
    while (words >> word) {
      int level = 0;
      NUVRecord::GetMain()->GetSoftwareRecordLevel(&word[0], &level);
      FUZZ_CHECK(NUVRecord::GetMain()->SetSoftwareRecordLevel(&word[0], 1) != S_OK);
    }
    words.clear();
    words.seekg(0);
  }
  const std::string captured = folder.Write("out.rec", "");
  FUZZ_CHECK(NUVRecord::StartCapture(captured.c_str()) == S_OK);
  std::map<std::string, int> set;
  unsigned value = static_cast<unsigned>(size);
  while (words >> word) {
    value = value * 2654435761u + static_cast<unsigned>(word.size());
    const int level = static_cast<int>(value);
    if (NUVRecord::GetMain()->SetSoftwareRecordLevel(&word[0], level) == S_OK) {
      set[word.c_str()] = level;  // the name ends at a NUL byte
    }
  }
  FUZZ_CHECK(NUVRecord::StartReplay(captured.c_str()) == S_OK);
  for (auto& level : set) {
    int read = level.second + 1;
    word = level.first;
    FUZZ_CHECK(NUVRecord::GetMain()->GetSoftwareRecordLevel(&word[0], &read));
    FUZZ_CHECK(read == level.second);
  }
  NUVRecord::EndMain();
  return 0;
}
