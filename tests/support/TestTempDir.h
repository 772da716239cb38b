// TestTempDir: a fresh directory in the system's temporary folder for a
// test's files, removed with its content when the object goes away.
//
//   TestTempDir dir;
//   std::string path = dir.File("session.rec");
#ifndef TestTempDir_h
#define TestTempDir_h

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

class TestTempDir {
 public:
  TestTempDir() {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) return;
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
      // Forward slashes on every system: the paths go into command lines too.
      std::string path = (base / ("velloran-test-" + std::to_string(random()))).generic_string();
      if (std::filesystem::create_directory(path, error)) {
        _Path = path;
        return;
      }
    }
  }
  // A directory of a fixed name: the same in a test's child process that
  // runs the test again (see ChildProcess.h), where a random one would
  // differ. What the child wrote there stays for the parent.
  explicit TestTempDir(const std::string& name) {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) return;
    std::string path = (base / ("velloran-test-" + name)).generic_string();
    std::filesystem::create_directory(path, error);
    if (std::filesystem::is_directory(path, error)) _Path = path;
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
