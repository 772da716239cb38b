// NotifyingProbe: an observing agent of velloran-play that posts one
// simulation notification to the coordinator at each Commit, so that the
// coordinator's subscribers hear of every step. Registered as interactive,
// it also takes part in interactive observation, where the coordinator
// refuses what it posts: the probe counts what was refused.
//
//   auto* probe = new NotifyingProbe(coordinator);
//   coordinator->AddAgent(handle, 0, 1);
//
// Type 4 (observer); otherwise NUVSimBasicAgent's answers.
// Threading: user-interface thread.
#ifndef NotifyingProbe_h
#define NotifyingProbe_h

#include "NUVSimBasicAgent.h"

class NUVISimMasterObservation;

class NotifyingProbe : public NUVSimBasicAgent {
  NUV_DECLARE_CLASS
 public:
  // The coordinator is borrowed: it outlives the probe's registration.
  explicit NotifyingProbe(NUVISimMasterObservation* coordinator);

  long Init() override { return S_OK; }  // counts run over the whole session
  long ReInitData(const SimReInitParameter&) override { return S_OK; }
  long Compute() override;
  long Commit() override;

  int Computed() const { return _Computed; }
  int Committed() const { return GetStepCount(); }
  int Refused() const { return _Refused; }

 private:
  NUVISimMasterObservation* _pCoordinator;
  int _Computed = 0;
  int _Refused = 0;
};

#endif
