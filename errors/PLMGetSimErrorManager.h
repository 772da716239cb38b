// PLMGetSimErrorManager: the registry of the simulation error managers, one
// per context. A context is a pair of objects compared by identity: the
// first is an editor unless the caller gives another object (null: the
// current editor), the second refines it and may be null.
//
//   NUVISimErrorManager_var manager;
//   PLMGetSimErrorManager::Get(manager, nullptr, nullptr);   // current editor's
//
// Besides finding or creating managers, it lets callers disable error
// collection for a context (SetEnable) and keep a context's manager across
// Remove (SetRetain). A manager removes itself when its editor closes.
//
// All operations are static and return S_OK unless stated otherwise. When the
// first context is null and there is no current editor they do nothing.
// The registry lives from the library's load to its unload.
// Threading: user-interface thread only; no locks.
#ifndef PLMGetSimErrorManager_h
#define PLMGetSimErrorManager_h

#include "NUVBaseUnknown_var.h"
#include "NUVISimErrorManager.h"
#include "VelloranExport.h"

class VELLORAN_EXPORT PLMGetSimErrorManager {
 public:
  PLMGetSimErrorManager();
  PLMGetSimErrorManager(const PLMGetSimErrorManager&);
  PLMGetSimErrorManager& operator=(const PLMGetSimErrorManager&);
  ~PLMGetSimErrorManager();

  // oManager := the manager of the context. A context without manager gets
  // one created when iCreate is true (and its entry is not disabled);
  // otherwise oManager is null. A disabled context yields null and creates
  // nothing. Fails only when the manager cannot be created: the creation's
  // status, oManager null, registry unchanged. oManager is left as it was
  // when the context resolves to nothing.
  static long Get(NUVISimErrorManager_var& oManager, unsigned char iCreate,
                  NUVBaseUnknown_var iFirstContext, NUVBaseUnknown_var iSecondContext);
  // The same, creating when needed.
  static long Get(NUVISimErrorManager_var& oManager, NUVBaseUnknown_var iFirstContext,
                  NUVBaseUnknown_var iSecondContext);

  // Disconnects the manager from its editor's windows and forgets its
  // context (flags included). A null or unknown manager changes nothing.
  static long RemoveManager(NUVISimErrorManager_var& iManager);

  // True: Remove leaves the context's manager in place (an entry is made if
  // there is none). False: Remove removes it again; an entry without manager
  // that is not disabled goes away.
  static long SetRetain(unsigned char iRetain, NUVBaseUnknown_var iFirstContext,
                        NUVBaseUnknown_var iSecondContext);
  // False: Get yields no manager for the context and creates none (an entry
  // is made if there is none; a manager it holds is kept). True: enabled
  // again; an entry without manager that is not retained goes away.
  static long SetEnable(unsigned char iEnable, NUVBaseUnknown_var iFirstContext,
                        NUVBaseUnknown_var iSecondContext);
  // Removes the context's manager unless it is retained; forgets a context
  // that was only disabled.
  static long Remove(NUVBaseUnknown_var iFirstContext, NUVBaseUnknown_var iSecondContext);

  // Diagnostics for hosts and tests. The number of contexts known.
  static int GetNumberOfEntries();
  // The flags and manager of the context's entry; E_FAIL, outputs
  // untouched, when it has none.
  static long GetEntryState(NUVBaseUnknown_var iFirstContext, NUVBaseUnknown_var iSecondContext,
                            int& oRetain, int& oEnable, NUVISimErrorManager_var& oManager);

 private:
  // The registry is created when the library loads; destroying it at unload
  // disconnects the managers still registered and releases everything.
  friend void VelloranErrorsLoad();
  friend void VelloranErrorsUnload();
  VELLORAN_INTERNAL static void CreateRegistry();
  VELLORAN_INTERNAL static void DestroyRegistry();
};

#endif
