// NUVUnicodeString: text shown to the user. Held as UTF-8 here; the platform
// converts at its edges.
// Threading: user-interface thread only.
#ifndef NUVUnicodeString_h
#define NUVUnicodeString_h

#include <string>

#include "NUVString.h"
#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVUnicodeString {
 public:
  NUVUnicodeString() = default;
  NUVUnicodeString(const char* text) : _Text(text ? text : "") {}
  NUVUnicodeString(const std::string& text) : _Text(text) {}
  explicit NUVUnicodeString(const NUVString& text) : _Text(text.Std()) {}

  const char* ConvertToChar() const { return _Text.c_str(); }
  int GetLengthInChar() const { return static_cast<int>(_Text.size()); }
  bool IsEmpty() const { return _Text.empty(); }
  const std::string& Std() const { return _Text; }
  NUVUnicodeString& operator+=(const NUVUnicodeString& other) {
    _Text += other._Text;
    return *this;
  }
  bool operator==(const NUVUnicodeString& other) const { return _Text == other._Text; }
  bool operator!=(const NUVUnicodeString& other) const { return _Text != other._Text; }

 private:
  std::string _Text;
};

#endif
