#include "NUVSimProbesStructuredAgentNegociatedTime.h"

NUV_IMPLEMENT_CLASS(NUVSimProbesStructuredAgentNegociatedTime, NUVISimAgentNegociatedTime,
                    "VelloranPlatform")

NUVSimProbesStructuredAgentNegociatedTime::NUVSimProbesStructuredAgentNegociatedTime()
    : _ReInitReason(SimReInitStart) {}

NUVSimProbesStructuredAgentNegociatedTime::~NUVSimProbesStructuredAgentNegociatedTime() = default;

long NUVSimProbesStructuredAgentNegociatedTime::ReInitData(const SimReInitParameter& iReason) {
  _ReInitReason = iReason;
  for (auto& a : _Members.Joined()) a->ReInitData(iReason);
  return S_OK;
}

void NUVSimProbesStructuredAgentNegociatedTime::CatchUp(AgentVar& iAgent) {
  iAgent->ReInitData(_ReInitReason);
}

long NUVSimProbesStructuredAgentNegociatedTime::GetComputeStatus(SimComputeStatus& oStatus) {
  oStatus = Largest(SimComputeOK, &NUVISimAgentNegociatedTime::GetComputeStatus);
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

long NUVSimProbesStructuredAgentNegociatedTime::GetNTType(SimAgentType& oType) {
  return GetType(oType);
}
