// NUVISimMasterObservation: the interface of a context's master observation
// coordinator, as the per-context registry NUVSimMasterObservation hands it
// out. The coordinator itself is supplied by the library that registers the
// creation function "NUVSimMasterObservation".
//
//   NUVISimMasterObservation_var coordinator;
//   NUVSimMasterObservation::Get(coordinator, context, 1);
//
// Only the notification phases are declared here so far; the coordinator's
// operations join the interface with their implementation.
// Threading: user-interface thread only.
#ifndef NUVISimMasterObservation_h
#define NUVISimMasterObservation_h

#include "NUVVar.h"

class VPL_EXPORT NUVISimMasterObservation : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Which event a dispatch of notifications raises (names in
  // NUVSimMasterObservation): the queued notifications of a cycle, or one of
  // the play phases, which carry no notification.
  enum NUVSimNotificationPhase {
    NUVSimPhaseCycle = 0,
    NUVSimPhaseActivated = 1,
    NUVSimPhaseDeactivated = 2,
    NUVSimPhasePreApplyInitialState = 3,
    NUVSimPhasePostApplyInitialState = 4,
    NUVSimPhaseLoad = 5,
    NUVSimPhaseClean = 6
  };
};

#define IID_NUVISimMasterObservation (NUVISimMasterObservation::ClassId())
typedef NUVVar<NUVISimMasterObservation> NUVISimMasterObservation_var;

#endif
