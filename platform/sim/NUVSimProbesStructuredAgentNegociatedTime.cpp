#include "NUVSimProbesStructuredAgentNegociatedTime.h"

#include "NUVTie.h"

NUV_IMPLEMENT_CLASS(NUVSimProbesStructuredAgentNegociatedTime, NUVISimAgentNegociatedTime,
                    "VelloranPlatform")

namespace {

class MgtTie : public NUVTie<NUVISimStructuredAgentNegociatedTimeMgt,
                             NUVSimProbesStructuredAgentNegociatedTime> {
 public:
  using NUVTie::NUVTie;
  long AddMember(NUVISimAgentNegociatedTime_var& a) override { return Impl()->AddMember(a); }
  long RemoveMember(NUVISimAgentNegociatedTime_var& a) override { return Impl()->RemoveMember(a); }
  long RemoveAllMembers() override { return Impl()->RemoveAllMembers(); }
  long GetMembers(NUVListValNUVISimAgentNegociatedTime_var& l) override {
    return Impl()->GetMembers(l);
  }
  long GetMember(const NUVString& n, NUVISimAgentNegociatedTime_var& a) override {
    return Impl()->GetMember(n, a);
  }
  long MembersChanged(unsigned char r) override { return Impl()->MembersChanged(r); }
};

}  // namespace

NUVSimProbesStructuredAgentNegociatedTime::NUVSimProbesStructuredAgentNegociatedTime()
    : _ReInitReason(SimReInitStart),
      _Priority(SimAgentPriorityNormal),
      _Type(SimAgentTypeStructured),
      _Enabled(1) {}

NUVSimProbesStructuredAgentNegociatedTime::~NUVSimProbesStructuredAgentNegociatedTime() {
  // Members that still hold the controller are detached from it.
  if (!!_Members.Controller()) _Members.RemoveAll();
}

long NUVSimProbesStructuredAgentNegociatedTime::QueryInterface(const NUVIID& iid, void** out) {
  if (out && iid == NUVISimStructuredAgentNegociatedTimeMgt::ClassId()) {
    *out = NUVTieFindOrCreate<MgtTie>(this);
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  return NUVISimAgentNegociatedTime::QueryInterface(iid, out);
}

long NUVSimProbesStructuredAgentNegociatedTime::Init() {
  for (auto& a : _Members.BeginInit()) a->Init();
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::Clean() {
  for (auto& a : _Members.BeginClean()) a->Clean();
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::Activate() {
  _Members.SetActive(true);
  for (auto& a : _Members.Joined()) a->Activate();
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::Deactivate() {
  _Members.SetActive(false);
  for (auto& a : _Members.Joined()) a->Deactivate();
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::ReInitData(const SimReInitParameter& iReason) {
  _ReInitReason = iReason;
  for (auto& a : _Members.Joined()) a->ReInitData(iReason);
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::SetCurrentSimValue(const NUVSimValue& iValue) {
  _Current = iValue;
  for (auto& a : _Members.Enabled()) a->SetCurrentSimValue(iValue);
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::Compute() {
  for (auto& a : _Members.Enabled()) a->Compute();
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::Commit() {
  for (auto& a : _Members.Enabled()) a->Commit();
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::GetComputeStatus(SimComputeStatus& oStatus) {
  SimComputeStatus worst = SimComputeOK;
  for (auto& a : _Members.Enabled()) {
    SimComputeStatus s = SimComputeOK;
    a->GetComputeStatus(s);
    if (s > worst) worst = s;
  }
  oStatus = worst;
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::GetLoopStatus(SimLoopStatus& oStatus) {
  SimLoopStatus worst = SimLoopContinue;
  for (auto& a : _Members.Enabled()) {
    SimLoopStatus s = SimLoopContinue;
    a->GetLoopStatus(s);
    if (s > worst) worst = s;
  }
  oStatus = worst;
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::GetNextProposedValue(NUVSimValue& oValue) {
  const NUVSimValue noValue(-1.0);
  NUVSimValue best = noValue;
  bool found = false;
  // Every enabled member is asked, even after a small proposal: asking is
  // also when members prepare their next step.
  for (auto& a : _Members.Enabled()) {
    NUVSimValue proposal = noValue;
    a->GetNextProposedValue(proposal);
    if (proposal == noValue || proposal <= _Current) continue;
    if (!found || proposal < best) best = proposal;
    found = true;
  }
  oValue = best;
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::Reset() {
  for (auto& a : _Members.Enabled()) a->Reset();
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::ComputeNextIteration(unsigned int iOn) {
  for (auto& a : _Members.Enabled()) a->ComputeNextIteration(iOn);
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::GetPriority(SimAgentPriority& oPriority) {
  oPriority = _Priority;
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::SetPriority(SimAgentPriority iPriority) {
  _Priority = iPriority;
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::GetSubPriority(unsigned int& oSubPriority) {
  oSubPriority = 0;
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::GetType(SimAgentType& oType) {
  oType = _Type;
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::GetNTType(SimAgentType& oType) {
  return GetType(oType);
}

long NUVSimProbesStructuredAgentNegociatedTime::SetType(SimAgentType iType) {
  _Type = iType;
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::SetSimulationController(
    NUVISimControllerNegociatedTime_var& iController, unsigned char iAttach) {
  _Members.SetController(iController, iAttach);
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::GetSimulationController(
    NUVISimControllerNegociatedTime_var& oController) {
  oController = _Members.Controller();
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::GetEnabled(unsigned char& oEnabled) {
  oEnabled = _Enabled;
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::SetEnabled(unsigned char iEnabled) {
  _Enabled = iEnabled ? 1 : 0;
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::AddMember(NUVISimAgentNegociatedTime_var& iAgent) {
  return _Members.Add(iAgent);
}

long NUVSimProbesStructuredAgentNegociatedTime::RemoveMember(NUVISimAgentNegociatedTime_var& iAgent) {
  return _Members.Remove(iAgent);
}

long NUVSimProbesStructuredAgentNegociatedTime::RemoveAllMembers() { return _Members.RemoveAll(); }

long NUVSimProbesStructuredAgentNegociatedTime::GetMembers(
    NUVListValNUVISimAgentNegociatedTime_var& oMembers) {
  _Members.AppendTo(oMembers);
  return S_OK;
}

long NUVSimProbesStructuredAgentNegociatedTime::GetMember(const NUVString& iName,
                                                          NUVISimAgentNegociatedTime_var& oAgent) {
  return _Members.Find(iName, oAgent);
}

long NUVSimProbesStructuredAgentNegociatedTime::MembersChanged(unsigned char iRefresh) {
  if (!iRefresh || !_Members.IsInitialized()) return S_OK;
  bool active = _Members.IsActive();
  for (auto& a : _Members.JoinPending()) {
    a->Init();
    a->ReInitData(_ReInitReason);
    if (active) a->Activate();
  }
  return S_OK;
}
