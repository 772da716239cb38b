// TestTempDir: a fresh directory under $TMPDIR (or /tmp) for a test's files,
// removed with its content when the object goes away.
//
//   TestTempDir dir;
//   std::string path = dir.File("session.rec");
#ifndef TestTempDir_h
#define TestTempDir_h

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class TestTempDir {
 public:
  TestTempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/velloran-test-XXXXXX";
    if (mkdtemp(&pattern[0])) _Path = pattern;
  }
  ~TestTempDir() {
    std::error_code ignored;
    if (!_Path.empty()) std::filesystem::remove_all(_Path, ignored);
  }
  TestTempDir(const TestTempDir&) = delete;
  TestTempDir& operator=(const TestTempDir&) = delete;

  // Empty when the directory could not be made.
  const std::string& Path() const { return _Path; }
  std::string File(const std::string& name) const { return _Path + "/" + name; }

  static std::string ReadFile(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
  }
  static void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

 private:
  std::string _Path;
};

#endif
