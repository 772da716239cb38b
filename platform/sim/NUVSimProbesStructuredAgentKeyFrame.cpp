#include "NUVSimProbesStructuredAgentKeyFrame.h"

#include "NUVTie.h"

NUV_IMPLEMENT_CLASS(NUVSimProbesStructuredAgentKeyFrame, NUVISimAgentKeyFrame, "VelloranPlatform")

namespace {

class MgtTie : public NUVTie<NUVISimStructuredAgentKeyFrameMgt, NUVSimProbesStructuredAgentKeyFrame> {
 public:
  using NUVTie::NUVTie;
  long AddMember(NUVISimAgentKeyFrame_var& a) override { return Impl()->AddMember(a); }
  long RemoveMember(NUVISimAgentKeyFrame_var& a) override { return Impl()->RemoveMember(a); }
  long RemoveAllMembers() override { return Impl()->RemoveAllMembers(); }
  long GetMembers(NUVListValNUVISimAgentKeyFrame_var& l) override { return Impl()->GetMembers(l); }
  long GetMember(const NUVString& n, NUVISimAgentKeyFrame_var& a) override {
    return Impl()->GetMember(n, a);
  }
  long MembersChanged(unsigned char r) override { return Impl()->MembersChanged(r); }
};

}  // namespace

NUVSimProbesStructuredAgentKeyFrame::NUVSimProbesStructuredAgentKeyFrame()
    : _Priority(SimAgentPriorityNormal), _Type(SimAgentTypeStructured), _Enabled(1) {}

NUVSimProbesStructuredAgentKeyFrame::~NUVSimProbesStructuredAgentKeyFrame() {
  // Members that still hold the controller are detached from it.
  if (!!_Members.Controller()) _Members.RemoveAll();
}

long NUVSimProbesStructuredAgentKeyFrame::QueryInterface(const NUVIID& iid, void** out) {
  if (out && iid == NUVISimStructuredAgentKeyFrameMgt::ClassId()) {
    *out = NUVTieFindOrCreate<MgtTie>(this);
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  return NUVISimAgentKeyFrame::QueryInterface(iid, out);
}

long NUVSimProbesStructuredAgentKeyFrame::Init() {
  for (auto& a : _Members.BeginInit()) a->Init();
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::Clean() {
  for (auto& a : _Members.BeginClean()) a->Clean();
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::Activate() {
  _Members.SetActive(true);
  for (auto& a : _Members.Joined()) a->Activate();
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::Deactivate() {
  _Members.SetActive(false);
  for (auto& a : _Members.Joined()) a->Deactivate();
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::SetCurrentSimValue(const NUVSimValue& iValue) {
  for (auto& a : _Members.Enabled()) a->SetCurrentSimValue(iValue);
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::SetCurrentMode(int iMode) {
  for (auto& a : _Members.Enabled()) a->SetCurrentMode(iMode);
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::Compute() {
  for (auto& a : _Members.Enabled()) a->Compute();
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::Commit() {
  for (auto& a : _Members.Enabled()) a->Commit();
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::GetLoopStatus(SimLoopStatus& oStatus) {
  SimLoopStatus worst = SimLoopContinue;
  for (auto& a : _Members.Enabled()) {
    SimLoopStatus s = SimLoopContinue;
    a->GetLoopStatus(s);
    if (s > worst) worst = s;
  }
  oStatus = worst;
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::GetModeParams(int, unsigned char&, NUVSimValue&,
                                                        NUVSimValue&, NUVSimValue&, NUVSimValue&,
                                                        unsigned char&, unsigned char&) {
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::DispatchModeParams(int iMode, const NUVSimValue& iStart,
                                                             const NUVSimValue& iEnd,
                                                             const NUVSimValue& iStep,
                                                             const NUVSimValue& iRate,
                                                             unsigned char iLoop,
                                                             unsigned char iAccepted) {
  for (auto& a : _Members.Enabled())
    a->DispatchModeParams(iMode, iStart, iEnd, iStep, iRate, iLoop, iAccepted);
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::GetPriority(SimAgentPriority& oPriority) {
  oPriority = _Priority;
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::SetPriority(SimAgentPriority iPriority) {
  _Priority = iPriority;
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::GetSubPriority(unsigned int& oSubPriority) {
  oSubPriority = 0;
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::GetType(SimAgentType& oType) {
  oType = _Type;
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::GetKFType(SimAgentType& oType) { return GetType(oType); }

long NUVSimProbesStructuredAgentKeyFrame::SetType(SimAgentType iType) {
  _Type = iType;
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::SetSimulationController(
    NUVISimControllerKeyFrame_var& iController, unsigned char iAttach) {
  _Members.SetController(iController, iAttach);
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::GetSimulationController(
    NUVISimControllerKeyFrame_var& oController) {
  oController = _Members.Controller();
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::GetEnabled(unsigned char& oEnabled) {
  oEnabled = _Enabled;
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::SetEnabled(unsigned char iEnabled) {
  _Enabled = iEnabled ? 1 : 0;
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::AddMember(NUVISimAgentKeyFrame_var& iAgent) {
  return _Members.Add(iAgent);
}

long NUVSimProbesStructuredAgentKeyFrame::RemoveMember(NUVISimAgentKeyFrame_var& iAgent) {
  return _Members.Remove(iAgent);
}

long NUVSimProbesStructuredAgentKeyFrame::RemoveAllMembers() { return _Members.RemoveAll(); }

long NUVSimProbesStructuredAgentKeyFrame::GetMembers(NUVListValNUVISimAgentKeyFrame_var& oMembers) {
  _Members.AppendTo(oMembers);
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::GetMember(const NUVString& iName,
                                                    NUVISimAgentKeyFrame_var& oAgent) {
  return _Members.Find(iName, oAgent);
}

long NUVSimProbesStructuredAgentKeyFrame::MembersChanged(unsigned char iRefresh) {
  if (!iRefresh || !_Members.IsInitialized()) return S_OK;
  bool active = _Members.IsActive();
  for (auto& a : _Members.JoinPending()) {
    a->Init();
    if (active) a->Activate();
  }
  return S_OK;
}
