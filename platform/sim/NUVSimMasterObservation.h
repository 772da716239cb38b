// NUVSimMasterObservation: the per-context registry of master observation
// coordinators, and the names of the events coordinators raise for their
// subscribers.
//
// A context is any object (in practice an editor); the null context is the
// default context: the current editor's when there is one. Contexts are told
// apart by their implementation object; the registry keeps no reference on
// them, and an entry whose context has been destroyed is dropped (its
// coordinator released) by the next Get or Reset. The registry holds one
// reference on each coordinator until Reset.
// Coordinators are created by the component registered under the creation
// name "NUVSimMasterObservation".
//
//   NUVISimMasterObservation_var coordinator;
//   NUVSimMasterObservation::Get(coordinator, editor, 1);   // creates if needed
//
// Threading: user-interface thread only.
#ifndef NUVSimMasterObservation_h
#define NUVSimMasterObservation_h

#include "NUVBaseUnknown_var.h"
#include "NUVISimMasterObservation.h"

class VPL_EXPORT NUVSimMasterObservation {
 public:
  // Fills `oCoordinator` with the context's coordinator (replacing what it
  // held), creating one when `iCreate` is true and none exists; otherwise
  // leaves it null. S_OK when filled, E_FAIL when not.
  static long Get(NUVISimMasterObservation_var& oCoordinator, NUVBaseUnknown_var iContext,
                  unsigned char iCreate);
  // Forgets the context's coordinator and releases the registry's reference.
  // S_OK when there was one, S_FALSE otherwise.
  static long Reset(NUVBaseUnknown_var iContext);
  // Forgets every coordinator. The library that supplies coordinators calls
  // this before it is unloaded, so that none is released after its code is
  // gone.
  static void ResetAll();
  // Number of contexts with a coordinator.
  static int Count();

  static const char* NUVSIM_CYCLE() { return "NUVSIM_CYCLE"; }
  static const char* NUVSIM_ACTIVATED() { return "NUVSIM_ACTIVATED"; }
  static const char* NUVSIM_DEACTIVATED() { return "NUVSIM_DEACTIVATED"; }
  static const char* NUVSIM_PREAPPLYINITIALSTATE() { return "NUVSIM_PREAPPLYINITIALSTATE"; }
  static const char* NUVSIM_POSTAPPLYINITIALSTATE() { return "NUVSIM_POSTAPPLYINITIALSTATE"; }
  static const char* NUVSIM_LOAD() { return "NUVSIM_LOAD"; }
  static const char* NUVSIM_CLEAN() { return "NUVSIM_CLEAN"; }
};

#endif
