// A folder of the fuzz target's own under the temporary folder, for the
// files it writes from its inputs; removed when the target exits.
#ifndef FuzzTempFolder_h
#define FuzzTempFolder_h

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

struct FuzzTempFolder {
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("velloran-fuzz-" + std::to_string(std::random_device{}()));
  FuzzTempFolder() { std::filesystem::create_directories(path); }
  ~FuzzTempFolder() { std::filesystem::remove_all(path); }
  std::string Write(const char* name, const std::string& text) const {
    std::ofstream(path / name, std::ios::binary) << text;
    return (path / name).string();
  }
};

// A property every input must keep: a violation stops the fuzzer.
#define FUZZ_CHECK(holds) ((holds) ? void() : std::abort())

#endif
