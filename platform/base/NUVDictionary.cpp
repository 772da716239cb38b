#include "NUVDictionary.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct MetaEntry {
  std::string library;
  std::string className;
  NUVMetaObjectFunction metaObject;
};
struct InterfaceEntry {
  std::string library;
  std::string className;
  std::string interfaceName;
  NUVTieCreationFunction create;
};
struct CreationEntry {
  std::string library;
  std::string name;
  NUVCreationFunction create;
};

// Registrations are few (tens) and looked up rarely; plain vectors keep the
// order of registration and make unregistering by library trivial.
struct Registry {
  std::vector<MetaEntry> metas;
  std::vector<InterfaceEntry> interfaces;
  std::vector<CreationEntry> creations;
};

Registry& TheRegistry() {
  // Never destroyed: libraries unregister from their own static destructors,
  // which may run after this file's at process exit.
  static Registry* registry = new Registry;
  return *registry;
}

template <class Entries>
void EraseLibrary(Entries& entries, const char* library) {
  entries.erase(std::remove_if(entries.begin(), entries.end(),
                               [&](const auto& e) { return e.library == library; }),
                entries.end());
}

}  // namespace

void NUVDictionary::RegisterMetaClass(const char* library, const char* className,
                                      NUVMetaObjectFunction metaObject) {
  if (!library || !className || !metaObject) return;
  TheRegistry().metas.push_back({library, className, metaObject});
}

void NUVDictionary::RegisterInterface(const char* library, const char* className,
                                      const char* interfaceName, NUVTieCreationFunction create) {
  if (!library || !className || !interfaceName || !create) return;
  TheRegistry().interfaces.push_back({library, className, interfaceName, create});
}

void NUVDictionary::RegisterCreation(const char* library, const char* name,
                                     NUVCreationFunction create) {
  if (!library || !name || !create) return;
  TheRegistry().creations.push_back({library, name, create});
}

void NUVDictionary::UnregisterLibrary(const char* library) {
  if (!library) return;
  Registry& r = TheRegistry();
  EraseLibrary(r.metas, library);
  EraseLibrary(r.interfaces, library);
  EraseLibrary(r.creations, library);
}

const NUVMetaClass* NUVDictionary::FindMetaClass(const char* className) {
  if (!className) return nullptr;
  for (const MetaEntry& e : TheRegistry().metas) {
    if (e.className == className) return e.metaObject();
  }
  return nullptr;
}

NUVTieCreationFunction NUVDictionary::FindInterface(const char* className,
                                                    const char* interfaceName) {
  if (!className || !interfaceName) return nullptr;
  for (const InterfaceEntry& e : TheRegistry().interfaces) {
    if (e.className == className && e.interfaceName == interfaceName) return e.create;
  }
  return nullptr;
}

NUVCreationFunction NUVDictionary::FindCreation(const char* name) {
  if (!name) return nullptr;
  // The latest registration under a name wins, as a reloaded library replaces
  // the one it follows.
  const std::vector<CreationEntry>& c = TheRegistry().creations;
  for (auto it = c.rbegin(); it != c.rend(); ++it) {
    if (it->name == name) return it->create;
  }
  return nullptr;
}

int NUVDictionary::CountRegistrations(const char* library) {
  if (!library) return 0;
  const Registry& r = TheRegistry();
  auto count = [&](const auto& entries) {
    return static_cast<int>(std::count_if(entries.begin(), entries.end(),
                                          [&](const auto& e) { return e.library == library; }));
  };
  return count(r.metas) + count(r.interfaces) + count(r.creations);
}

long NUVInstantiateComponent(const char* name, const NUVIID& iid, void** out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  NUVCreationFunction create = NUVDictionary::FindCreation(name);
  if (!create) return E_FAIL;
  NUVBaseUnknown* object = create();
  if (!object) return E_FAIL;
  long rc = object->QueryInterface(iid, out);
  object->Release();  // the creation reference; the interface keeps its own
  return rc;
}
