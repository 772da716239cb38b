#include "NotifyingProbe.h"

#include "NUVISimMasterObservation.h"
#include "NUVSimNotification.h"

NUV_IMPLEMENT_CLASS(NotifyingProbe, NUVSimBasicAgent, "velloran-play")

NotifyingProbe::NotifyingProbe(NUVISimMasterObservation* coordinator)
    : NUVSimBasicAgent(SimAgentTypeObserve), _pCoordinator(coordinator) {}

long NotifyingProbe::Compute() {
  ++_Computed;
  return S_OK;
}

long NotifyingProbe::Commit() {
  NUVSimBasicAgent::Commit();
  auto* notification = new NUVSimNotification;
  _pCoordinator->PostNotification(notification, 0);
  // A queued notification holds the coordinator's reference besides ours.
  if (notification->GetRefCount() == 1) ++_Refused;
  notification->Release();
  return S_OK;
}
