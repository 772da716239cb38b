// NUVSimKeyFrameController: the engine's key-frame controller. It plays its
// controlled agent through a sequence of key frames: either a grid (start,
// start + step, ... up to end, end itself always played last) or an explicit
// list (ascending, each value once). Roles and lifecycle are those of
// NUVISimControllerKeyFrame, built on NUVSimPlayController.
//
//   NUVSimKeyFrameController* c = new NUVSimKeyFrameController;
//   c->SetKeyFrames(0.0, 1.0, 0.25); c->SetControlledAgent(agent);
//
// Frames can be changed only while play is not running (E_UNEXPECTED
// otherwise); after the end of play, Rewind plays the new frames.
// Threading: user-interface thread only.
#ifndef NUVSimKeyFrameController_h
#define NUVSimKeyFrameController_h

#include "NUVISimAgentKeyFrame.h"
#include "NUVISimControllerKeyFrame.h"
#include "NUVListValNUVSimValue.h"
#include "NUVSimPlayController.h"

class VPL_EXPORT NUVSimKeyFrameController
    : public NUVSimPlayController<NUVISimControllerKeyFrame, NUVISimAgentKeyFrame> {
  NUV_DECLARE_CLASS
 public:
  NUVSimKeyFrameController();
  ~NUVSimKeyFrameController() override;

  // A grid of frames. E_INVALIDARG when the step is not positive or the end
  // is before the start.
  long SetKeyFrames(const NUVSimValue& iStart, const NUVSimValue& iEnd, const NUVSimValue& iStep);
  // Explicit frames, sorted and without duplicates. E_INVALIDARG when empty.
  long SetKeyFrameList(const NUVListValNUVSimValue& iFrames);
  // Frames played since play began.
  int GetFramesPlayed() const { return _Played; }

 protected:
  bool HasValues() const override { return _Mode != FramesNone; }
  bool NextValue(AgentVar& iAgent, bool iFirst, NUVSimValue& oValue) override;

 private:
  enum FrameMode { FramesNone, FramesGrid, FramesList };

  FrameMode _Mode;
  NUVSimValue _Start, _End, _Step;
  NUVListValNUVSimValue _Frames;
};

#endif
