// NUVSimKeyFrameController: the engine's key-frame controller. It plays its
// controlled agent through a sequence of key frames: either a grid (start,
// start + step, ... up to end, end itself always played last) or an explicit
// list (ascending, each value once). Roles and lifecycle are those of
// NUVISimControllerKeyFrame.
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
#include "SimReInitParameter.h"

class NUVSimPlayInitialization;

class VPL_EXPORT NUVSimKeyFrameController : public NUVISimControllerKeyFrame {
  NUV_DECLARE_CLASS
 public:
  NUVSimKeyFrameController();
  ~NUVSimKeyFrameController() override;

  long Iterate() override;
  long CanContinue(unsigned char& ioContinue) override;
  long GetInitialization(NUVISimInitialization_var& oInitialization) override;
  long SetControlledAgent(NUVISimAgentKeyFrame_var& iAgent) override;
  long GetControlledAgent(NUVISimAgentKeyFrame_var& oAgent) override;
  long GetCurrentSimValue(NUVSimValue& oValue) override;
  long Stop() override;
  long Rewind() override;

  // A grid of frames. E_INVALIDARG when the step is not positive or the end
  // is before the start.
  long SetKeyFrames(const NUVSimValue& iStart, const NUVSimValue& iEnd, const NUVSimValue& iStep);
  // Explicit frames, sorted and without duplicates. E_INVALIDARG when empty.
  long SetKeyFrameList(const NUVListValNUVSimValue& iFrames);
  // The real-time suppression option handed to the agents at Init.
  void SetNoRealTime(unsigned char iNoRealTime);
  // Frames played since play began.
  int GetFramesPlayed() const { return _Played; }

 private:
  enum PlayState { StateIdle, StatePlaying, StateOver };
  enum FrameMode { FramesNone, FramesGrid, FramesList };

  // The frame at position `_Played` (0 = first); true when it is the last.
  bool NextFrame(NUVSimValue& oValue) const;
  void Finish();
  void Detach();

  NUVISimAgentKeyFrame_var _Agent;
  NUVSimPlayInitialization* _pInitialization;  // one reference
  PlayState _State;
  FrameMode _Mode;
  NUVSimValue _Start, _End, _Step;
  NUVListValNUVSimValue _Frames;
  NUVSimValue _Current;
  int _Played;
  unsigned char _InIteration;
  unsigned char _StopRequested;
  // The agent went through Clean since it was last handed the controller.
  unsigned char _AgentCleaned;
};

#endif
