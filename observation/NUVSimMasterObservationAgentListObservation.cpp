// The coordinator's observation mode, interactive observation under the draw
// lock, and the clash dirty marks.
#include "NUVISimAgentObserver.h"
#include "NUVISimContextForClash.h"
#include "NUVISimControllerKeyFrame.h"
#include "NUVISimControllerNegociatedTime.h"
#include "NUVSimMasterObservationAgentList.h"
#include "NUVSimNotification.h"
#include "NUVSimWindowServices.h"
#include "SimAgentType.h"

namespace {

// A member of the negotiated-time structured agent by this name makes the
// selective mode pick the flagged members of the controllers' agents.
const char* const kDynamicInteractiveAgent = "TavrinDynInteractiveAgent";

// Agents that draw or drive play themselves, never picked.
const char* const kExcludedKF[] = {"NUVSimAgentRedraw3D", "NUVSimProbesStructuredAgentKeyFrame",
                                   "NUVSimAnimationPlayerToolbarAgentY",
                                   "NUVSimAgentRefreshCompass"};
const char* const kExcludedNT[] = {"NUVSimAgentRedraw3D",
                                   "NUVSimProbesStructuredAgentNegociatedTime",
                                   "NUVSimAnimationPlayerToolbarAgentY",
                                   "NUVSimAgentRefreshCompass"};

// The agent type bit that asks for interactive observation in the
// selective mode; the preset 2 lacks it.
const int kInteractiveTypeBit = 4;
const SimAgentType kTypePreset = static_cast<SimAgentType>(2);

template <size_t N>
bool IsExcluded(NUVBaseUnknown* impl, const char* const (&names)[N]) {
  if (!impl) return false;
  for (const char* name : names)
    if (impl->IsAKindOf(name)) return true;
  return false;
}

// Computes and commits `agent` when it is enabled.
void ObserveIfEnabled(const NUVISimAgentKeyFrame_var& agent) {
  unsigned char enabled = 1;
  agent->GetEnabled(enabled);
  if (!enabled) return;
  agent->Compute();
  agent->Commit();
}

}  // namespace

long NUVSimMasterObservationAgentList::SetObservationMode(unsigned char iObservationOn,
                                                          unsigned char iInteractiveOnly) {
  _ObservationOn = iObservationOn;
  _InteractiveOnly = iInteractiveOnly;
  const unsigned char observationSwitch = iInteractiveOnly ? 0 : 1;
  NUVISimAgentObserver_var observerKF(_StructuredAgentKF.get());
  if (!!observerKF) observerKF->SetObservationSwitch(observationSwitch);
  NUVISimAgentObserver_var observerNT(_StructuredAgentNT.get());
  if (!!observerNT) observerNT->SetObservationSwitch(observationSwitch);

  _ModeAgents.RemoveAll();
  if (iInteractiveOnly) return S_OK;
  if (!_StructuredAgentNT) return S_OK;
  NUVISimAgentNegociatedTime_var dynamic;
  _StructuredAgentNT->GetMember(NUVString(kDynamicInteractiveAgent), dynamic);
  if (!dynamic) return S_OK;

  NUVISimControllerKeyFrame_var controllerKF;
  NUVISimControllerNegociatedTime_var controllerNT;
  GetControllers(controllerKF, controllerNT);

  if (!!controllerKF) {
    NUVISimAgentKeyFrame_var controlled;
    controllerKF->GetControlledAgent(controlled);
    NUVListValNUVISimAgentKeyFrame_var members;
    NUVISimStructuredAgentKeyFrameMgt_var mgt(controlled.get());
    if (!!mgt) mgt->GetMembers(members);
    for (int i = 1; i <= members.Size(); ++i) {
      NUVISimAgentKeyFrame_var member(members[i].get());
      if (!member) continue;
      SimAgentType type = kTypePreset;
      member->GetKFType(type);
      if (!(static_cast<int>(type) & kInteractiveTypeBit)) continue;
      if (!IsExcluded(member->GetImpl(0), kExcludedKF)) _ModeAgents.Append(member);
    }
  }
  if (!!controllerNT) {
    NUVISimAgentNegociatedTime_var controlled;
    controllerNT->GetControlledAgent(controlled);
    NUVListValNUVISimAgentNegociatedTime_var members;
    NUVISimStructuredAgentNegociatedTimeMgt_var mgt(controlled.get());
    if (!!mgt) mgt->GetMembers(members);
    for (int i = 1; i <= members.Size(); ++i) {
      NUVISimAgentNegociatedTime_var memberNT(members[i].get());
      NUVISimAgentKeyFrame_var memberKF(members[i].get());
      if (!memberNT || !memberKF) continue;
      SimAgentType type = kTypePreset;
      memberNT->GetNTType(type);
      if (!(static_cast<int>(type) & kInteractiveTypeBit)) continue;
      if (!IsExcluded(memberNT->GetImpl(0), kExcludedNT)) _ModeAgents.Append(memberKF);
    }
  }
  return S_OK;
}

long NUVSimMasterObservationAgentList::GetObservationMode(unsigned char& oObservationOn,
                                                          unsigned char& oInteractiveOnly) {
  oObservationOn = _ObservationOn;
  oInteractiveOnly = _InteractiveOnly;
  return S_OK;
}

long NUVSimMasterObservationAgentList::ApplyObservations() {
  if (!_ObservationRequested || !_ObservationOn) return S_OK;
  _ObservationRequested = 0;
  if (_InteractiveAgents.Size() == 0 && _ModeAgents.Size() == 0) return S_OK;

  // An agent may reset this coordinator's context while it computes: the
  // coordinator lives until the lock is given back.
  NUVBaseUnknown_var keepAlive(static_cast<NUVBaseUnknown*>(this));
  const int n = _InteractiveAgents.Size();
  NUVSimWindowServices::LockDrawRequest(1);
  _AcceptNotifications = 0;
  for (int i = 1; i <= n; ++i) {
    // A copy of the entry (already the key-frame interface): the agent may
    // be removed from the list while it computes.
    NUVISimAgentKeyFrame_var agent = _InteractiveAgents[i];
    if (!agent) continue;
    unsigned char enabled = 1;
    agent->GetEnabled(enabled);
    if (!enabled) continue;
    if (!_InteractiveOnly) {
      unsigned char needed = 0;
      NUVISimAgentObserver_var observer(agent.get());
      if (!!observer) observer->IsObservationNeeded(needed);
      if (!needed) continue;
    }
    agent->Compute();
    agent->Commit();
  }
  if (!_InteractiveOnly) {
    const int m = _ModeAgents.Size();
    for (int i = 1; i <= m; ++i) {
      NUVISimAgentKeyFrame_var agent = _ModeAgents[i];
      if (!!agent) ObserveIfEnabled(agent);
    }
  }
  _AcceptNotifications = 1;
  ClearNotifications();
  NUVSimWindowServices::LockDrawRequest(0);
  return S_OK;
}

long NUVSimMasterObservationAgentList::SetDirty() {
  const int n = _Agents.Size();
  for (int i = 1; i <= n; ++i) {
    NUVISimContextForClash_var clash(_Agents[i].get());
    if (!!clash) clash->SetClashDirty();
  }
  return S_OK;
}

long NUVSimMasterObservationAgentList::SetDirty(NUVListValNUVBaseUnknown_var& iEntities,
                                                unsigned char iFlag) {
  const int n = _Agents.Size();
  for (int i = 1; i <= n; ++i) {
    NUVISimContextForClash_var clash(_Agents[i].get());
    if (!!clash) clash->SetClashDirty(iEntities, iFlag);
  }
  return S_OK;
}
