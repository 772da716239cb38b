#include "NUVHashDico.h"

NUVHashDico::NUVHashDico(int buckets) { _Map.reserve(buckets > 0 ? buckets : 1); }

int NUVHashDico::Insert(const NUVUnicodeString& key, void* value) {
  return _Map.emplace(key.Std(), value).second ? 1 : 0;
}

void* NUVHashDico::Locate(const NUVUnicodeString& key) const {
  auto it = _Map.find(key.Std());
  return it == _Map.end() ? nullptr : it->second;
}

int NUVHashDico::Remove(const NUVUnicodeString& key) {
  return _Map.erase(key.Std()) ? 1 : 0;
}
