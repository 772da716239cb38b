// NUVSimStructuredAgent<AgentI, ControllerI, MgtI>: what the engine's two
// structured agents (key-frame and negotiated-time) have in common. A
// controller drives a structured agent as one agent; it drives its members in
// the order they were added. Not for users: use
// NUVSimProbesStructuredAgentKeyFrame or NUVSimProbesStructuredAgentNegociatedTime,
// which add the calls of their own interface.
//
//   MgtI_var mgt(structured);          // member management, through a TIE
//   mgt->AddMember(agent); controller->SetControlledAgent(structured);
//
// Forwarding: lifecycle calls (Init, Activate, Deactivate, Clean) reach every
// joined member; per-step calls (SetCurrentSimValue, Compute, Commit,
// GetLoopStatus) only the joined members whose GetEnabled answers true
// (preset to true); see NUVSimMemberSet for when members join a play. The
// loop status is the largest the members answer, at least 1. The controller
// handed to the structured agent is handed on to every member, and to members
// added later. Its own type is 1 (structured), priority 1, sub-priority 0.
//
// Observation (NUVISimAgentObserver, through a TIE): the structured agent has
// an observation context to hand to the agents that become its members: the
// one set with SetObservationContext, or else a context object of its own
// (each structured agent a different one). The observation switch is stored
// and answered by IsObservationNeeded; entities are told to the members by
// whoever registers them, so the structured agent keeps none.
// Threading: user-interface thread only.
#ifndef NUVSimStructuredAgent_h
#define NUVSimStructuredAgent_h

#include "NUVISimAgentObserver.h"
#include "NUVSimMemberSet.h"
#include "NUVTie.h"
#include "SimAgentPriority.h"
#include "SimAgentType.h"
#include "SimLoopStatus.h"

template <class AgentI, class ControllerI, class MgtI>
class VPL_EXPORT NUVSimStructuredAgent : public AgentI {
 public:
  typedef NUVVar<AgentI> AgentVar;
  typedef NUVVar<ControllerI> ControllerVar;

  NUVSimStructuredAgent()
      : _Priority(SimAgentPriorityNormal), _Type(SimAgentTypeStructured), _Enabled(1) {}
  ~NUVSimStructuredAgent() override {
    // Members that still hold the controller are detached from it.
    if (!!_Members.Controller()) _Members.RemoveAll();
  }

  // Also answers MgtI and NUVISimAgentObserver, through TIEs.
  long QueryInterface(const NUVIID& iid, void** out) override {
    if (out && iid == MgtI::ClassId()) {
      *out = NUVTieFindOrCreate<MgtTie>(this);
      return *out ? S_OK : E_OUTOFMEMORY;
    }
    if (out && iid == NUVISimAgentObserver::ClassId()) {
      *out = NUVTieFindOrCreate<ObserverTie>(this);
      return *out ? S_OK : E_OUTOFMEMORY;
    }
    return AgentI::QueryInterface(iid, out);
  }

  // Observation (NUVISimAgentObserver).
  long SetObservationContext(NUVBaseUnknown_var& iContext) {
    _Context = iContext;
    return S_OK;
  }
  long GetObservationContext(NUVBaseUnknown_var& oContext) {
    if (!!_Context) {
      oContext = _Context;
      return S_OK;
    }
    if (!_OwnContext) {
      NUVBaseUnknown* own = NUVNew<NUVBaseUnknown>();
      if (!own) return E_OUTOFMEMORY;
      _OwnContext = own;
      own->Release();  // the handle keeps the only reference
    }
    oContext = _OwnContext;
    return S_OK;
  }
  long SetObservationSwitch(unsigned char iOn) {
    _ObservationSwitch = iOn ? 1 : 0;
    return S_OK;
  }
  long IsObservationNeeded(unsigned char& oNeeded) {
    oNeeded = _ObservationSwitch;
    return S_OK;
  }

  long Init() override {
    for (auto& a : _Members.BeginInit()) a->Init();
    return S_OK;
  }
  long Clean() override {
    for (auto& a : _Members.BeginClean()) a->Clean();
    return S_OK;
  }
  long Activate() override {
    _Members.SetActive(true);
    for (auto& a : _Members.Joined()) a->Activate();
    return S_OK;
  }
  long Deactivate() override {
    _Members.SetActive(false);
    for (auto& a : _Members.Joined()) a->Deactivate();
    return S_OK;
  }
  long SetCurrentSimValue(const NUVSimValue& iValue) override {
    _Current = iValue;
    for (auto& a : _Members.Enabled()) a->SetCurrentSimValue(iValue);
    return S_OK;
  }
  long Compute() override {
    for (auto& a : _Members.Enabled()) a->Compute();
    return S_OK;
  }
  long Commit() override {
    for (auto& a : _Members.Enabled()) a->Commit();
    return S_OK;
  }
  long GetLoopStatus(SimLoopStatus& oStatus) override {
    oStatus = Largest(SimLoopContinue, &AgentI::GetLoopStatus);
    return S_OK;
  }

  long GetPriority(SimAgentPriority& oPriority) override {
    oPriority = _Priority;
    return S_OK;
  }
  long SetPriority(SimAgentPriority iPriority) override {
    _Priority = iPriority;
    return S_OK;
  }
  long GetSubPriority(unsigned int& oSubPriority) override {
    oSubPriority = 0;
    return S_OK;
  }
  long GetType(SimAgentType& oType) override {
    oType = _Type;
    return S_OK;
  }
  long SetType(SimAgentType iType) override {
    _Type = iType;
    return S_OK;
  }
  long SetSimulationController(ControllerVar& iController, unsigned char iAttach) override {
    _Members.SetController(iController, iAttach);
    return S_OK;
  }
  long GetSimulationController(ControllerVar& oController) override {
    oController = _Members.Controller();
    return S_OK;
  }
  long GetEnabled(unsigned char& oEnabled) override {
    oEnabled = _Enabled;
    return S_OK;
  }
  long SetEnabled(unsigned char iEnabled) override {
    _Enabled = iEnabled ? 1 : 0;
    return S_OK;
  }

  // Member management (MgtI).
  long AddMember(AgentVar& iAgent) { return _Members.Add(iAgent); }
  long RemoveMember(AgentVar& iAgent) { return _Members.Remove(iAgent); }
  long RemoveAllMembers() { return _Members.RemoveAll(); }
  long GetMembers(NUVListValVar<AgentI>& oMembers) {
    _Members.AppendTo(oMembers);
    return S_OK;
  }
  long GetMember(const NUVString& iName, AgentVar& oAgent) { return _Members.Find(iName, oAgent); }
  long MembersChanged(unsigned char iRefresh) {
    if (!iRefresh || !_Members.IsInitialized()) return S_OK;
    bool active = _Members.IsActive();
    for (auto& a : _Members.JoinPending()) {
      a->Init();
      CatchUp(a);
      if (active) a->Activate();
    }
    return S_OK;
  }
  int CountMembers() const { return _Members.Count(); }

 protected:
  // A member that joins a running play, between its Init and its Activate,
  // is given what the play's other members received since.
  virtual void CatchUp(AgentVar&) {}

  // The largest status the enabled members answer through `get`, at least
  // `floor`; each member's answer is preset to `floor`.
  template <class Status>
  Status Largest(Status floor, long (AgentI::*get)(Status&)) const {
    Status largest = floor;
    for (auto& a : _Members.Enabled()) {
      Status s = floor;
      (a.get()->*get)(s);
      if (s > largest) largest = s;
    }
    return largest;
  }

  NUVSimMemberSet<AgentI, ControllerI> _Members;
  NUVSimValue _Current;  // the value last set

 private:
  class MgtTie : public NUVTie<MgtI, NUVSimStructuredAgent> {
   public:
    using NUVTie<MgtI, NUVSimStructuredAgent>::NUVTie;
    long AddMember(AgentVar& a) override { return this->Impl()->AddMember(a); }
    long RemoveMember(AgentVar& a) override { return this->Impl()->RemoveMember(a); }
    long RemoveAllMembers() override { return this->Impl()->RemoveAllMembers(); }
    long GetMembers(NUVListValVar<AgentI>& l) override { return this->Impl()->GetMembers(l); }
    long GetMember(const NUVString& n, AgentVar& a) override {
      return this->Impl()->GetMember(n, a);
    }
    long MembersChanged(unsigned char r) override { return this->Impl()->MembersChanged(r); }
  };
  class ObserverTie : public NUVTie<NUVISimAgentObserver, NUVSimStructuredAgent> {
   public:
    using NUVTie<NUVISimAgentObserver, NUVSimStructuredAgent>::NUVTie;
    long SetObservationContext(NUVBaseUnknown_var& c) override {
      return this->Impl()->SetObservationContext(c);
    }
    long GetObservationContext(NUVBaseUnknown_var& c) override {
      return this->Impl()->GetObservationContext(c);
    }
    long SetObservationSwitch(unsigned char on) override {
      return this->Impl()->SetObservationSwitch(on);
    }
    long AddObservedEntity(NUVBaseUnknown_var&) override { return S_OK; }
    long RemoveObservedEntity(NUVBaseUnknown_var&) override { return S_OK; }
    long IsObservationNeeded(unsigned char& n) override {
      return this->Impl()->IsObservationNeeded(n);
    }
    long EndObservation() override { return S_OK; }
  };

  SimAgentPriority _Priority;
  SimAgentType _Type;
  unsigned char _Enabled;
  unsigned char _ObservationSwitch = 0;
  NUVBaseUnknown_var _Context;     // set from outside, or null
  NUVBaseUnknown_var _OwnContext;  // handed out when none was set
};

#endif
