// NUVSimProbesStructuredAgentKeyFrame: the engine's structured key-frame
// agent, created by name as "NUVSimProbesStructuredAgentKF". Its members are
// managed through NUVISimStructuredAgentKeyFrameMgt; forwarding, member
// lifecycle and its own answers are those of NUVSimStructuredAgent.
//
//   NUVISimStructuredAgentKeyFrameMgt_var mgt(structured);
//   mgt->AddMember(agent); controller->SetControlledAgent(structured);
//
// Of its own calls, SetCurrentMode and DispatchModeParams reach the enabled
// members; GetModeParams defines nothing.
// Threading: user-interface thread only.
#ifndef NUVSimProbesStructuredAgentKeyFrame_h
#define NUVSimProbesStructuredAgentKeyFrame_h

#include "NUVISimAgentKeyFrame.h"
#include "NUVISimControllerKeyFrame.h"
#include "NUVISimStructuredAgentKeyFrameMgt.h"
#include "NUVSimStructuredAgent.h"

class VPL_EXPORT NUVSimProbesStructuredAgentKeyFrame
    : public NUVSimStructuredAgent<NUVISimAgentKeyFrame, NUVISimControllerKeyFrame,
                                   NUVISimStructuredAgentKeyFrameMgt> {
  NUV_DECLARE_CLASS
 public:
  NUVSimProbesStructuredAgentKeyFrame();
  ~NUVSimProbesStructuredAgentKeyFrame() override;

  long SetCurrentMode(int iMode) override;
  long GetModeParams(int iMode, unsigned char& oDefined, NUVSimValue& oStart, NUVSimValue& oEnd,
                     NUVSimValue& oStep, NUVSimValue& oRate, unsigned char& oLoop,
                     unsigned char& oAccepted) override;
  long DispatchModeParams(int iMode, const NUVSimValue& iStart, const NUVSimValue& iEnd,
                          const NUVSimValue& iStep, const NUVSimValue& iRate, unsigned char iLoop,
                          unsigned char iAccepted) override;
  long GetKFType(SimAgentType& oType) override;
};

#endif
