// The coordinator's notifications (queue, stamps, dispatch by phase), its
// observable entities and its clash groups.
#include "NUVCallbackManager.h"
#include "NUVISimAgentObserver.h"
#include "NUVSimMasterObservation.h"
#include "NUVSimMasterObservationAgentList.h"
#include "NUVSimNotification.h"

namespace {

// The event of each phase from 1 on; phase 0 (cycle) dispatches the queue.
const char* PhaseEvent(int iPhase) {
  switch (iPhase) {
    case 1: return NUVSimMasterObservation::NUVSIM_ACTIVATED();
    case 2: return NUVSimMasterObservation::NUVSIM_DEACTIVATED();
    case 3: return NUVSimMasterObservation::NUVSIM_PREAPPLYINITIALSTATE();
    case 4: return NUVSimMasterObservation::NUVSIM_POSTAPPLYINITIALSTATE();
    case 5: return NUVSimMasterObservation::NUVSIM_LOAD();
    case 6: return NUVSimMasterObservation::NUVSIM_CLEAN();
    default: return nullptr;
  }
}

}  // namespace

long NUVSimMasterObservationAgentList::PostNotification(NUVSimNotification* iNotification,
                                                        unsigned char iImmediate) {
  if (!_AcceptNotifications || !iNotification) return S_OK;
  if (iImmediate) {
    if (NUVCallbackManager* manager = GetCallbackManager()) {
      NUVBaseUnknown_var keepAlive(static_cast<NUVBaseUnknown*>(this));
      manager->DispatchCallbacks(NUVSimMasterObservation::NUVSIM_CYCLE(), iNotification, this);
    }
    return S_OK;
  }
  _PendingNotifications.Append(iNotification);
  iNotification->AddRef();
  return S_OK;
}

long NUVSimMasterObservationAgentList::UpdateNotifications(NUVSimValue& iValue,
                                                           SimComputeStatus iComputeStatus,
                                                           SimLoopStatus iLoopStatus) {
  for (int i = 1; i <= _PendingNotifications.Size(); ++i) {
    NUVSimNotification* notification = _PendingNotifications[i];
    if (!notification) continue;
    notification->SetValue(iValue);
    notification->SetComputeStatus(iComputeStatus);
    notification->SetLoopStatus(iLoopStatus);
  }
  return S_OK;
}

long NUVSimMasterObservationAgentList::DispatchNotifications(
    NUVISimMasterObservation::NUVSimNotificationPhase iPhase) {
  NUVCallbackManager* manager = GetCallbackManager();
  if (!manager) return E_FAIL;
  const int phase = static_cast<int>(iPhase);
  if (phase < 0 || phase > 6) return S_OK;
  // A subscriber may reset the coordinator's context from its callback: the
  // coordinator, and with it its manager, lives until the dispatch is over.
  NUVBaseUnknown_var keepAlive(static_cast<NUVBaseUnknown*>(this));
  if (phase != 0) {
    manager->DispatchCallbacks(PhaseEvent(phase), nullptr, this);
    return S_OK;
  }
  if (_PendingNotifications.Size() == 0) return S_OK;
  // Subscribers may post while the copy is sent: those wait for the next
  // cycle. The copy owns the queue's references from here on.
  NUVListPtrNUVSimNotification sending(_PendingNotifications);
  _PendingNotifications.RemoveAll(NUVCollec::ReleaseMemory);
  const int n = sending.Size();
  for (int i = 1; i <= n; ++i) {
    NUVSimNotification* notification = sending[i];
    if (!notification) continue;
    manager->DispatchCallbacks(NUVSimMasterObservation::NUVSIM_CYCLE(), notification, this);
    notification->Release();
  }
  return S_OK;
}

void NUVSimMasterObservationAgentList::ClearNotifications() {
  // Released after the queue is emptied: a notification's destruction must
  // not find itself still queued.
  NUVListPtrNUVSimNotification dropped(_PendingNotifications);
  _PendingNotifications.RemoveAll(NUVCollec::ReleaseMemory);
  for (int i = 1; i <= dropped.Size(); ++i)
    if (NUVSimNotification* notification = dropped[i]) notification->Release();
}

long NUVSimMasterObservationAgentList::AddObservableEntity(NUVBaseUnknown_var& iEntity) {
  if (_ObservableEntities.Locate(iEntity, 1) == 0) _ObservableEntities.Append(iEntity);
  const int n = _Agents.Size();
  for (int i = 1; i <= n; ++i) {
    NUVISimAgentObserver_var observer(_Agents[i].get());
    if (!!observer) observer->AddObservedEntity(iEntity);
  }
  return S_OK;
}

long NUVSimMasterObservationAgentList::RemoveObservableEntity(NUVBaseUnknown_var& iEntity) {
  // The caller's handle may be the list's own entry.
  NUVBaseUnknown_var entity(iEntity);
  if (_ObservableEntities.Locate(entity, 1) > 0) _ObservableEntities.RemoveValue(entity);
  const int n = _Agents.Size();
  for (int i = 1; i <= n; ++i) {
    NUVISimAgentObserver_var observer(_Agents[i].get());
    if (!!observer) observer->RemoveObservedEntity(entity);
  }
  return S_OK;
}

long NUVSimMasterObservationAgentList::AddClashGroup(NUVListValNUVBaseUnknown_var& iGroup,
                                                     int& oGroupId) {
  if (!!_ClashSync) _ClashSync->CreateClashGroup(iGroup, oGroupId);
  return S_OK;
}

long NUVSimMasterObservationAgentList::RemoveClashGroup(int iGroupId) {
  if (!!_ClashSync) _ClashSync->DeleteClashGroup(iGroupId);
  return S_OK;
}
