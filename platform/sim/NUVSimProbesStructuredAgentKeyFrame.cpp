#include "NUVSimProbesStructuredAgentKeyFrame.h"

NUV_IMPLEMENT_CLASS(NUVSimProbesStructuredAgentKeyFrame, NUVISimAgentKeyFrame, "VelloranPlatform")

NUVSimProbesStructuredAgentKeyFrame::NUVSimProbesStructuredAgentKeyFrame() = default;
NUVSimProbesStructuredAgentKeyFrame::~NUVSimProbesStructuredAgentKeyFrame() = default;

long NUVSimProbesStructuredAgentKeyFrame::SetCurrentMode(int iMode) {
  for (auto& a : _Members.Enabled()) a->SetCurrentMode(iMode);
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::GetModeParams(int, unsigned char&, NUVSimValue&,
                                                        NUVSimValue&, NUVSimValue&, NUVSimValue&,
                                                        unsigned char&, unsigned char&) {
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::DispatchModeParams(
    int iMode, const NUVSimValue& iStart, const NUVSimValue& iEnd, const NUVSimValue& iStep,
    const NUVSimValue& iRate, unsigned char iLoop, unsigned char iAccepted) {
  for (auto& a : _Members.Enabled())
    a->DispatchModeParams(iMode, iStart, iEnd, iStep, iRate, iLoop, iAccepted);
  return S_OK;
}

long NUVSimProbesStructuredAgentKeyFrame::GetKFType(SimAgentType& oType) { return GetType(oType); }
