// NUVHashDico: text key to plain pointer. It does not own its values.
//
//   NUVHashDico dico(10);
//   dico.Insert("name", holder);
//   void* found = dico.Locate("name");   // null when absent
//
// Threading: user-interface thread only.
#ifndef NUVHashDico_h
#define NUVHashDico_h

#include <string>
#include <unordered_map>

#include "NUVUnicodeString.h"
#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVHashDico {
 public:
  explicit NUVHashDico(int buckets = 10);

  // Returns 1 when inserted, 0 when the key exists already (value unchanged).
  int Insert(const NUVUnicodeString& key, void* value);
  void* Locate(const NUVUnicodeString& key) const;
  // Returns 1 when the key was present.
  int Remove(const NUVUnicodeString& key);
  int Size() const { return static_cast<int>(_Map.size()); }
  void RemoveAll() { _Map.clear(); }

  template <class Function>
  void ForEach(Function&& f) const {
    for (const auto& entry : _Map) f(entry.first, entry.second);
  }

 private:
  std::unordered_map<std::string, void*> _Map;
};

#endif
