#include "NUVSimMasterObservation.h"

#include <vector>

#include "NUVBaseUnknown_WR.h"
#include "NUVDictionary.h"
#include "NUVFrmEditor.h"

namespace {

struct Entry {
  NUVBaseUnknown* context;    // identity only, never dereferenced
  NUVBaseUnknown_WR liveness; // tells whether `context` still exists
  NUVISimMasterObservation* coordinator;  // one reference held
};

// Never destroyed: coordinators come from another library, which empties the
// registry (ResetAll) while its code is still loaded.
std::vector<Entry>& Entries() {
  static std::vector<Entry>* entries = new std::vector<Entry>;
  return *entries;
}

// The default (null) context is the current editor's when there is one, so
// that a command asking for its editor's coordinator and the viewer updates,
// which ask for the default one, meet the same coordinator.
NUVBaseUnknown* Identity(NUVBaseUnknown* context) {
  if (!context) context = NUVFrmEditor::GetCurrentEditor();
  return context ? context->GetImpl() : nullptr;
}

bool IsStale(const Entry& e) { return e.context && !e.liveness.IsAlive(); }

// Releases after the entry is gone: a coordinator's destructor may call back
// into the registry.
void ReleaseAll(std::vector<NUVISimMasterObservation*>& released) {
  for (NUVISimMasterObservation* c : released) c->Release();
  released.clear();
}

void TakeStale(std::vector<NUVISimMasterObservation*>& released) {
  std::vector<Entry>& entries = Entries();
  for (size_t i = 0; i < entries.size();) {
    if (IsStale(entries[i])) {
      released.push_back(entries[i].coordinator);
      entries.erase(entries.begin() + i);
    } else {
      ++i;
    }
  }
}

// Contexts whose coordinator is being created: a coordinator that asks for
// its own context while it is built gets nothing instead of a second one.
std::vector<NUVBaseUnknown*>& Creating() {
  static std::vector<NUVBaseUnknown*>* creating = new std::vector<NUVBaseUnknown*>;
  return *creating;
}

bool IsCreating(NUVBaseUnknown* identity) {
  for (NUVBaseUnknown* c : Creating())
    if (c == identity) return true;
  return false;
}

NUVISimMasterObservation* Find(NUVBaseUnknown* identity) {
  for (Entry& e : Entries()) {
    if (e.context == identity && !IsStale(e)) return e.coordinator;
  }
  return nullptr;
}

}  // namespace

long NUVSimMasterObservation::Get(NUVISimMasterObservation_var& oCoordinator,
                                  NUVBaseUnknown_var iContext, unsigned char iCreate) {
  std::vector<NUVISimMasterObservation*> released;
  TakeStale(released);
  NUVBaseUnknown* identity = Identity(iContext.get());
  NUVISimMasterObservation* found = Find(identity);
  if (!found && iCreate && !IsCreating(identity)) {
    void* out = nullptr;
    Creating().push_back(identity);
    NUVInstantiateComponent("NUVSimMasterObservation", IID_NUVISimMasterObservation, &out);
    Creating().pop_back();
    auto* created = static_cast<NUVISimMasterObservation*>(static_cast<NUVBaseUnknown*>(out));
    if (created) {
      Entries().push_back({identity, NUVBaseUnknown_WR(identity), created});
      found = created;
    }
  }
  oCoordinator = found;
  ReleaseAll(released);
  return found ? S_OK : E_FAIL;
}

long NUVSimMasterObservation::Reset(NUVBaseUnknown_var iContext) {
  std::vector<NUVISimMasterObservation*> released;
  TakeStale(released);
  NUVBaseUnknown* identity = Identity(iContext.get());
  long result = S_FALSE;
  std::vector<Entry>& entries = Entries();
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].context == identity) {
      released.push_back(entries[i].coordinator);
      entries.erase(entries.begin() + i);
      result = S_OK;
      break;
    }
  }
  ReleaseAll(released);
  return result;
}

void NUVSimMasterObservation::ResetAll() {
  std::vector<NUVISimMasterObservation*> released;
  for (Entry& e : Entries()) released.push_back(e.coordinator);
  Entries().clear();
  ReleaseAll(released);
}

int NUVSimMasterObservation::Count() {
  int count = 0;
  for (const Entry& e : Entries()) count += IsStale(e) ? 0 : 1;
  return count;
}
