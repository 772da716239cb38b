// NUVString: a narrow (UTF-8) text value.
// Threading: user-interface thread only.
#ifndef NUVString_h
#define NUVString_h

#include <string>

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVString {
 public:
  NUVString() = default;
  NUVString(const char* text) : _Text(text ? text : "") {}
  NUVString(const std::string& text) : _Text(text) {}

  // The text as a C string; valid until the string changes.
  const char* CastToCharPtr() const { return _Text.c_str(); }
  int GetLengthInChar() const { return static_cast<int>(_Text.size()); }
  bool IsEmpty() const { return _Text.empty(); }
  const std::string& Std() const { return _Text; }
  NUVString& operator+=(const NUVString& other) {
    _Text += other._Text;
    return *this;
  }
  bool operator==(const NUVString& other) const { return _Text == other._Text; }
  bool operator!=(const NUVString& other) const { return _Text != other._Text; }

 private:
  std::string _Text;
};

#endif
