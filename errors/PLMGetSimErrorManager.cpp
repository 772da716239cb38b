#include "PLMGetSimErrorManager.h"

#include "NUVDictionary.h"
#include "NUVFrmEditor.h"
#include "NUVListValNUVBaseUnknown_var.h"
#include "NUVRawCollint.h"

namespace {

// Five parallel lists: position i of each describes entry i.
struct Registry {
  NUVListValNUVBaseUnknown_var firsts;
  NUVListValNUVBaseUnknown_var seconds;
  NUVListValNUVBaseUnknown_var managers;  // NUVISimErrorManager or null
  NUVRawCollint retains;
  NUVRawCollint enables;

  int Size() const { return firsts.Size(); }

  // First entry of the pair, by identity; 0 when there is none.
  int Find(NUVBaseUnknown* first, NUVBaseUnknown* second) const {
    for (int i = 1; i <= Size(); ++i) {
      if (firsts[i].get() == first && seconds[i].get() == second) return i;
    }
    return 0;
  }

  int FindManager(NUVBaseUnknown* manager) const {
    if (!manager) return 0;
    NUVBaseUnknown* impl = manager->GetImpl();
    for (int i = 1; i <= Size(); ++i) {
      NUVBaseUnknown_var m = managers[i];
      if (m && m->GetImpl() == impl) return i;
    }
    return 0;
  }

  void Append(const NUVBaseUnknown_var& first, const NUVBaseUnknown_var& second,
              const NUVBaseUnknown_var& manager, int retain, int enable) {
    firsts.Append(first);
    seconds.Append(second);
    managers.Append(manager);
    retains.Append(retain);
    enables.Append(enable);
  }

  void RemoveAt(int position) {
    // The released objects may run code of their own when they go: let them
    // go once the lists agree again.
    NUVBaseUnknown_var first = firsts[position];
    NUVBaseUnknown_var second = seconds[position];
    NUVBaseUnknown_var manager = managers[position];
    firsts.RemovePosition(position);
    seconds.RemovePosition(position);
    managers.RemovePosition(position);
    retains.RemovePosition(position);
    enables.RemovePosition(position);
  }
};

Registry* g_pRegistry = nullptr;

// A null first context stands for the current editor.
NUVBaseUnknown_var ResolveFirst(const NUVBaseUnknown_var& first) {
  if (first) return first;
  return NUVBaseUnknown_var(NUVFrmEditor::GetCurrentEditor());
}

}  // namespace

void PLMGetSimErrorManager::CreateRegistry() {
  if (!g_pRegistry) g_pRegistry = new Registry;
}

void PLMGetSimErrorManager::DestroyRegistry() {
  Registry* registry = g_pRegistry;
  g_pRegistry = nullptr;
  if (!registry) return;
  for (int i = 1; i <= registry->Size(); ++i) {
    NUVISimErrorManager_var manager(registry->managers[i].get());
    if (manager) manager->SetContext(nullptr);
  }
  delete registry;
}

PLMGetSimErrorManager::PLMGetSimErrorManager() = default;
PLMGetSimErrorManager::PLMGetSimErrorManager(const PLMGetSimErrorManager&) {}
PLMGetSimErrorManager& PLMGetSimErrorManager::operator=(const PLMGetSimErrorManager&) {
  return *this;
}
PLMGetSimErrorManager::~PLMGetSimErrorManager() = default;

long PLMGetSimErrorManager::Get(NUVISimErrorManager_var& oManager, unsigned char iCreate,
                                NUVBaseUnknown_var iFirstContext,
                                NUVBaseUnknown_var iSecondContext) {
  NUVBaseUnknown_var first = ResolveFirst(iFirstContext);
  if (!first || !g_pRegistry) return S_OK;
  oManager = nullptr;
  long result = S_OK;
  int position = g_pRegistry->Find(first, iSecondContext);
  if (position) {
    if (g_pRegistry->enables[position]) {
      oManager = g_pRegistry->managers[position].get();
    } else {
      iCreate = 0;
    }
  }
  if (!oManager && iCreate) {
    void* raw = nullptr;
    result = NUVInstantiateComponent("NUVSimErrorManager", IID_NUVISimErrorManager, &raw);
    auto* created = static_cast<NUVISimErrorManager*>(static_cast<NUVBaseUnknown*>(raw));
    if (created) {
      created->SetContext(first->GetImpl(0));
      oManager = created;
      if (g_pRegistry) {
        // Looked up again: connecting ran platform code.
        position = g_pRegistry->Find(first, iSecondContext);
        if (position) {
          g_pRegistry->managers.Set(position, NUVBaseUnknown_var(created));
        } else {
          g_pRegistry->Append(first, iSecondContext, NUVBaseUnknown_var(created), 0, 1);
        }
      }
      created->Release();
      result = S_OK;
    }
  }
  return result;
}

long PLMGetSimErrorManager::Get(NUVISimErrorManager_var& oManager,
                                NUVBaseUnknown_var iFirstContext,
                                NUVBaseUnknown_var iSecondContext) {
  return Get(oManager, 1, iFirstContext, iSecondContext);
}

long PLMGetSimErrorManager::RemoveManager(NUVISimErrorManager_var& iManager) {
  if (!iManager || !g_pRegistry) return S_OK;
  int position = g_pRegistry->FindManager(iManager);
  if (!position) return S_OK;
  // The caller's handle keeps the manager alive through both steps.
  iManager->SetContext(nullptr);
  if (g_pRegistry) {
    position = g_pRegistry->FindManager(iManager);
    if (position) g_pRegistry->RemoveAt(position);
  }
  return S_OK;
}

long PLMGetSimErrorManager::SetRetain(unsigned char iRetain, NUVBaseUnknown_var iFirstContext,
                                      NUVBaseUnknown_var iSecondContext) {
  NUVBaseUnknown_var first = ResolveFirst(iFirstContext);
  if (!first || !g_pRegistry) return S_OK;
  int position = g_pRegistry->Find(first, iSecondContext);
  if (position) g_pRegistry->retains.Set(position, iRetain ? 1 : 0);
  if (iRetain && !position) {
    g_pRegistry->Append(first, iSecondContext, NUVBaseUnknown_var(), 1, 1);
  } else if (!iRetain && position && !g_pRegistry->managers[position] &&
             g_pRegistry->enables[position]) {
    g_pRegistry->RemoveAt(position);
  }
  return S_OK;
}

long PLMGetSimErrorManager::SetEnable(unsigned char iEnable, NUVBaseUnknown_var iFirstContext,
                                      NUVBaseUnknown_var iSecondContext) {
  NUVBaseUnknown_var first = ResolveFirst(iFirstContext);
  if (!first || !g_pRegistry) return S_OK;
  int position = g_pRegistry->Find(first, iSecondContext);
  if (position) g_pRegistry->enables.Set(position, iEnable ? 1 : 0);
  if (!iEnable && !position) {
    g_pRegistry->Append(first, iSecondContext, NUVBaseUnknown_var(), 0, 0);
  } else if (iEnable && position && !g_pRegistry->managers[position] &&
             g_pRegistry->retains[position] == 0) {
    g_pRegistry->RemoveAt(position);
  }
  return S_OK;
}

long PLMGetSimErrorManager::Remove(NUVBaseUnknown_var iFirstContext,
                                   NUVBaseUnknown_var iSecondContext) {
  NUVBaseUnknown_var first = ResolveFirst(iFirstContext);
  if (!first || !g_pRegistry) return S_OK;
  int position = g_pRegistry->Find(first, iSecondContext);
  if (!position) return S_OK;
  if (!g_pRegistry->enables[position] && !g_pRegistry->managers[position]) {
    g_pRegistry->RemoveAt(position);
    return S_OK;
  }
  NUVISimErrorManager_var taken;
  if (!g_pRegistry->retains[position]) taken = g_pRegistry->managers[position].get();
  return RemoveManager(taken);
}

int PLMGetSimErrorManager::GetNumberOfEntries() { return g_pRegistry ? g_pRegistry->Size() : 0; }

long PLMGetSimErrorManager::GetEntryState(NUVBaseUnknown_var iFirstContext,
                                          NUVBaseUnknown_var iSecondContext, int& oRetain,
                                          int& oEnable, NUVISimErrorManager_var& oManager) {
  NUVBaseUnknown_var first = ResolveFirst(iFirstContext);
  if (!first || !g_pRegistry) return E_FAIL;
  int position = g_pRegistry->Find(first, iSecondContext);
  if (!position) return E_FAIL;
  oRetain = g_pRegistry->retains[position];
  oEnable = g_pRegistry->enables[position];
  oManager = g_pRegistry->managers[position].get();
  return S_OK;
}
