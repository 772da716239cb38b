// The coordinator's agent registration: adding and removing agents with the
// structured agents, the observation context, the observable entities and
// the clash component; membership and interactive lookups.
#include "NUVDictionary.h"
#include "NUVISimAgentObserver.h"
#include "NUVISimContextForClash.h"
#include "NUVISimControllerKeyFrame.h"
#include "NUVISimControllerNegociatedTime.h"
#include "NUVSimMasterObservationAgentList.h"

namespace {

// The context a structured agent hands to its members, null when it has none.
NUVBaseUnknown_var ContextOf(NUVBaseUnknown* iStructured) {
  NUVBaseUnknown_var context;
  NUVISimAgentObserver_var observer(iStructured);
  if (!!observer) observer->GetObservationContext(context);
  return context;
}

}  // namespace

long NUVSimMasterObservationAgentList::AddAgent(NUVISimAgentKeyFrame_var& iAgent,
                                                unsigned char iSimulationOnly,
                                                unsigned char iObservationSwitch) {
  if (!iAgent) return E_FAIL;
  NUVISimAgentNegociatedTime_var agentNT(iAgent.get());
  if (!agentNT) return E_FAIL;

  NUVBaseUnknown_var context = ContextOf(_StructuredAgentKF);
  NUVISimAgentObserver_var observer(iAgent.get());
  if (!!observer) {
    observer->SetObservationSwitch(iObservationSwitch);
    observer->SetObservationContext(context);
  }

  NUVISimControllerKeyFrame_var controllerKF;
  NUVISimControllerNegociatedTime_var controllerNT;
  GetControllers(controllerKF, controllerNT);

  if (!iSimulationOnly) {
    _InteractiveAgents.Append(iAgent);
    AddViewerCallback();
  }

  unsigned char refresh = !iSimulationOnly || !!controllerKF || !!controllerNT;
  if (!!_StructuredAgentKF) {
    _StructuredAgentKF->AddMember(iAgent);
    _StructuredAgentKF->MembersChanged(refresh);
    refresh = 0;
  }
  if (!!_StructuredAgentNT) {
    _StructuredAgentNT->AddMember(agentNT);
    _StructuredAgentNT->MembersChanged(refresh);
  }

  _Agents.Append(iAgent);

  if (!!observer) {
    const int n = _ObservableEntities.Size();
    for (int i = 1; i <= n; ++i) {
      NUVBaseUnknown_var entity = _ObservableEntities[i];
      observer->AddObservedEntity(entity);
    }
  }
  NUVISimContextForClash_var clash(iAgent.get());
  if (!!clash) {
    NUVISimSyncAgentSupport_var support(_ClashSync);
    clash->SetSyncAgentSupport(support);
  }
  return S_OK;
}

long NUVSimMasterObservationAgentList::AddAgent(NUVISimAgentNegociatedTime_var& iAgent,
                                                unsigned char iSimulationOnly,
                                                unsigned char iObservationSwitch) {
  NUVISimAgentKeyFrame_var agentKF(iAgent.get());
  long result = AddAgent(agentKF, iSimulationOnly, iObservationSwitch);
  if (result < 0) return result;
  NUVBaseUnknown_var context = ContextOf(_StructuredAgentNT);
  NUVISimAgentObserver_var observer(iAgent.get());
  if (!!observer) observer->SetObservationContext(context);
  return S_OK;
}

namespace {

// Creates the component `iName` through `Interface`, hands it to `oAgent`
// and registers it with `add`; the creation reference is given back.
template <class Handle, class Add>
long CreateAndAdd(const NUVString& iName, const NUVIID& iid, Handle& oAgent, Add add) {
  void* created = nullptr;
  long result = NUVInstantiateComponent(iName.CastToCharPtr(), iid, &created);
  if (result < 0) return result;
  if (!created) return result;
  auto* object = static_cast<NUVBaseUnknown*>(created);
  oAgent = object;
  result = add(oAgent);
  if (result < 0) oAgent = nullptr;
  object->Release();
  return result;
}

}  // namespace

long NUVSimMasterObservationAgentList::AddAgent(const NUVString& iName,
                                                NUVISimAgentKeyFrame_var& oAgent,
                                                unsigned char iSimulationOnly,
                                                unsigned char iObservationSwitch) {
  return CreateAndAdd(iName, IID_NUVISimAgentKeyFrame, oAgent,
                      [&](NUVISimAgentKeyFrame_var& agent) {
                        return AddAgent(agent, iSimulationOnly, iObservationSwitch);
                      });
}

long NUVSimMasterObservationAgentList::AddAgent(const NUVString& iName,
                                                NUVISimAgentNegociatedTime_var& oAgent,
                                                unsigned char iSimulationOnly,
                                                unsigned char iObservationSwitch) {
  return CreateAndAdd(iName, IID_NUVISimAgentNegociatedTime, oAgent,
                      [&](NUVISimAgentNegociatedTime_var& agent) {
                        return AddAgent(agent, iSimulationOnly, iObservationSwitch);
                      });
}

long NUVSimMasterObservationAgentList::RemoveAgent(NUVISimAgentKeyFrame_var& iAgent) {
  if (!iAgent) return E_FAIL;
  NUVISimAgentNegociatedTime_var agentNT(iAgent.get());
  if (!agentNT) return E_FAIL;
  // The caller's handle may be the list's own entry: keep the agent alive.
  NUVISimAgentKeyFrame_var agent(iAgent);

  _Agents.RemoveValue(agent);
  _InteractiveAgents.RemoveValue(agent);

  if (!!_StructuredAgentKF) {
    _StructuredAgentKF->RemoveMember(agent);
    _StructuredAgentKF->MembersChanged(0);
  }
  if (!!_StructuredAgentNT) {
    _StructuredAgentNT->RemoveMember(agentNT);
    _StructuredAgentNT->MembersChanged(0);
  }
  if (_InteractiveAgents.Size() == 0) DropViewerCallback();

  NUVISimAgentObserver_var observer(agent.get());
  if (!!observer) {
    const int n = _ObservableEntities.Size();
    for (int i = 1; i <= n; ++i) {
      NUVBaseUnknown_var entity = _ObservableEntities[i];
      observer->RemoveObservedEntity(entity);
    }
  }
  NUVISimContextForClash_var clash(agent.get());
  if (!!clash) {
    NUVISimSyncAgentSupport_var none;
    clash->SetSyncAgentSupport(none);
  }
  return S_OK;
}

long NUVSimMasterObservationAgentList::RemoveAgent(NUVISimAgentNegociatedTime_var& iAgent) {
  NUVISimAgentKeyFrame_var agentKF(iAgent.get());
  return RemoveAgent(agentKF);
}

long NUVSimMasterObservationAgentList::RemoveAgent(const NUVString& iName) {
  NUVISimAgentNegociatedTime_var found;
  if (!!_StructuredAgentNT) _StructuredAgentNT->GetMember(iName, found);
  NUVISimAgentKeyFrame_var agentKF(found.get());
  return RemoveAgent(agentKF);
}

long NUVSimMasterObservationAgentList::RemoveAllAgents() {
  if (!!_StructuredAgentKF) {
    _StructuredAgentKF->RemoveAllMembers();
    _StructuredAgentKF->MembersChanged(0);
  }
  if (!!_StructuredAgentNT) {
    _StructuredAgentNT->RemoveAllMembers();
    _StructuredAgentNT->MembersChanged(0);
  }
  const int agents = _Agents.Size();
  for (int a = 1; a <= agents; ++a) {
    NUVISimAgentObserver_var observer(_Agents[a].get());
    if (!observer) continue;
    const int n = _ObservableEntities.Size();
    for (int i = 1; i <= n; ++i) {
      NUVBaseUnknown_var entity = _ObservableEntities[i];
      observer->RemoveObservedEntity(entity);
    }
  }
  _Agents.RemoveAll();
  _InteractiveAgents.RemoveAll();
  _ModeAgents.RemoveAll();
  DropViewerCallback();
  return S_OK;
}

long NUVSimMasterObservationAgentList::GetMainAgent(NUVISimAgentKeyFrame_var& oAgent) {
  oAgent = _StructuredAgentKF.get();
  return S_OK;
}

long NUVSimMasterObservationAgentList::GetMainAgent(NUVISimAgentNegociatedTime_var& oAgent) {
  oAgent = _StructuredAgentNT.get();
  return S_OK;
}

namespace {

// Whether `agent` is a member of `structured` (false for a null agent or a
// missing structured agent).
template <class List, class Structured, class Handle>
unsigned char IsMemberOf(Structured& structured, Handle& agent) {
  if (!agent || !structured) return 0;
  List members;
  structured->GetMembers(members);
  return members.Locate(agent, 1) > 0;
}

}  // namespace

long NUVSimMasterObservationAgentList::IsAgentThere(NUVISimAgentKeyFrame_var& iAgent,
                                                    unsigned char& oThere) {
  oThere = IsMemberOf<NUVListValNUVISimAgentKeyFrame_var>(_StructuredAgentKF, iAgent);
  return S_OK;
}

long NUVSimMasterObservationAgentList::IsAgentThere(NUVISimAgentNegociatedTime_var& iAgent,
                                                    unsigned char& oThere) {
  oThere = IsMemberOf<NUVListValNUVISimAgentNegociatedTime_var>(_StructuredAgentNT, iAgent);
  return S_OK;
}

void NUVSimMasterObservationAgentList::GetControllers(
    NUVISimControllerKeyFrame_var& oKF, NUVISimControllerNegociatedTime_var& oNT) const {
  NUVISimAgentKeyFrame_var structuredKF(_StructuredAgentKF.get());
  if (!!structuredKF) structuredKF->GetSimulationController(oKF);
  NUVISimAgentNegociatedTime_var structuredNT(_StructuredAgentNT.get());
  if (!!structuredNT) structuredNT->GetSimulationController(oNT);
}

long NUVSimMasterObservationAgentList::IsAgentThere(const NUVString& iName,
                                                    unsigned char& oThere) {
  NUVISimAgentNegociatedTime_var found;
  if (!!_StructuredAgentNT) _StructuredAgentNT->GetMember(iName, found);
  oThere = !!found;
  return S_OK;
}

long NUVSimMasterObservationAgentList::IsAgentInteractive(NUVISimAgentKeyFrame_var& iAgent,
                                                          unsigned char& oInteractive) {
  oInteractive = 0;
  if (!!iAgent) oInteractive = _InteractiveAgents.Locate(iAgent, 1) > 0;
  return S_OK;
}

long NUVSimMasterObservationAgentList::IsAgentInteractive(NUVISimAgentNegociatedTime_var& iAgent,
                                                          unsigned char& oInteractive) {
  oInteractive = 0;
  NUVISimAgentKeyFrame_var agentKF(iAgent.get());
  if (!!agentKF) oInteractive = _InteractiveAgents.Locate(agentKF, 1) > 0;
  return S_OK;
}

long NUVSimMasterObservationAgentList::GetAgent(const NUVString& iName,
                                                NUVISimAgentKeyFrame_var& oAgent) {
  if (!!_StructuredAgentKF) _StructuredAgentKF->GetMember(iName, oAgent);
  return S_OK;
}

long NUVSimMasterObservationAgentList::GetAgent(const NUVString& iName,
                                                NUVISimAgentNegociatedTime_var& oAgent) {
  if (!!_StructuredAgentNT) _StructuredAgentNT->GetMember(iName, oAgent);
  return S_OK;
}
