#include "NUVBaseUnknown.h"

#include <cstring>
#include <vector>

#include "NUVDictionary.h"
#include "NUVWeakBlock.h"

// Provided by the callback registry: drops every subscription of an object
// that is being destroyed.
void NUVForgetSubscriber(NUVBaseUnknown* subscriber);

// The TIEs built on one object, one per interface. Few per object: a vector.
class NUVTieSet {
 public:
  struct Entry {
    const char* iid;
    NUVBaseUnknown* tie;
  };
  std::vector<Entry> entries;
};

void NUVWeakBlock::Drop() {
  if (--holders == 0) delete this;
}

const NUVMetaClass* NUVBaseUnknown::meta_object = nullptr;

const NUVMetaClass* NUVBaseUnknown::MetaObject() {
  if (!meta_object) {
    static const NUVMetaClass meta("NUVBaseUnknown", nullptr, "NUVNull", "VelloranPlatform");
    meta_object = &meta;
  }
  return meta_object;
}

const char* NUVBaseUnknown::ClassName() { return "NUVBaseUnknown"; }

const NUVIID& NUVBaseUnknown::ClassId() {
  static const NUVIID iid = {"NUVBaseUnknown"};
  return iid;
}

const NUVMetaClass* NUVBaseUnknown::GetMetaObject() const { return MetaObject(); }
int NUVBaseUnknown::IsA(const char* className) const { return GetMetaObject()->IsA(className); }
int NUVBaseUnknown::IsAKindOf(const char* className) const {
  return GetMetaObject()->IsAKindOf(className);
}

NUVBaseUnknown::NUVBaseUnknown() : _RefCount(1), _Subscriber(0), _pWeak(nullptr), _pTies(nullptr) {}

NUVBaseUnknown::NUVBaseUnknown(const NUVBaseUnknown&)
    : _RefCount(1), _Subscriber(0), _pWeak(nullptr), _pTies(nullptr) {}

NUVBaseUnknown::~NUVBaseUnknown() {
  if (_Subscriber) NUVForgetSubscriber(this);
  if (_pWeak) {
    _pWeak->object = nullptr;
    _pWeak->Drop();
    _pWeak = nullptr;
  }
  if (_pTies) {
    NUVTieSet* ties = _pTies;
    _pTies = nullptr;
    for (NUVTieSet::Entry& e : ties->entries) delete e.tie;
    delete ties;
  }
}

unsigned long NUVBaseUnknown::AddRef() { return ++_RefCount; }

unsigned long NUVBaseUnknown::Release() {
  unsigned long remaining = --_RefCount;
  if (remaining == 0) {
    // Weak references stop resolving before any destructor runs.
    if (_pWeak) _pWeak->object = nullptr;
    delete this;
  }
  return remaining;
}

long NUVBaseUnknown::QueryInterface(const NUVIID& iid, void** out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  if (!iid.name) return E_NOINTERFACE;
  // The object's own class chain: the class derives from the interface.
  if (GetMetaObject()->IsAKindOf(iid.name)) {
    AddRef();
    *out = this;
    return S_OK;
  }
  // A TIE already built on the implementation object.
  NUVBaseUnknown* impl = GetImpl();
  if (impl != this) return impl->QueryInterface(iid, out);
  if (NUVBaseUnknown* tie = FindTie(iid)) {
    tie->AddRef();
    *out = tie;
    return S_OK;
  }
  // A TIE registered for the class or one of its parents.
  for (const NUVMetaClass* m = GetMetaObject(); m; m = m->GetParent()) {
    NUVTieCreationFunction create = NUVDictionary::FindInterface(m->GetClassName(), iid.name);
    if (create) {
      NUVBaseUnknown* tie = create(this);
      if (!tie) return E_NOINTERFACE;
      *out = tie;
      return S_OK;
    }
  }
  return E_NOINTERFACE;
}

NUVBaseUnknown* NUVBaseUnknown::FindTie(const NUVIID& iid) const {
  if (!_pTies || !iid.name) return nullptr;
  for (const NUVTieSet::Entry& e : _pTies->entries) {
    if (e.iid == iid.name || std::strcmp(e.iid, iid.name) == 0) return e.tie;
  }
  return nullptr;
}

void NUVBaseUnknown::AdoptTie(const NUVIID& iid, NUVBaseUnknown* tie) {
  if (!tie || !iid.name) return;
  if (!_pTies) _pTies = new NUVTieSet;
  _pTies->entries.push_back({iid.name, tie});
}

NUVWeakBlock* NUVBaseUnknown::GetWeakBlock() {
  if (!_pWeak) _pWeak = new NUVWeakBlock{this, 1};
  return _pWeak;
}
