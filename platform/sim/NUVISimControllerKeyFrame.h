// NUVISimControllerKeyFrame: a controller that plays its controlled agent
// through a sequence of key frames, one frame per iteration.
//
// Operations by role, as the play loop uses them:
//   iterate                 Iterate()
//   continue query          CanContinue(unsigned char&): 0 once play is over
//   initialization handle   GetInitialization(NUVISimInitialization_var&)
//   controlled agent        SetControlledAgent / GetControlledAgent
//
//   unsigned char more = 1;
//   controller->Iterate(); controller->CanContinue(more);
//
// Play: the first Iterate initialises and activates the controlled agent
// (Init, Activate), then every Iterate runs one frame (SetCurrentSimValue,
// Compute, Commit, GetLoopStatus). After the last frame, or when the agent's
// loop status is 3 (stop), or on Stop, the controller deactivates and cleans
// the agent (Deactivate, Clean) and play is over. Rewind makes it playable
// again from the first frame.
//
// Ownership: the controller holds its controlled agent and hands itself to
// it (SetSimulationController(self, 1)); it hands a null handle
// (SetSimulationController(null, 0)) when the agent is replaced, detached or
// the controller destroyed. An agent that keeps the controller keeps it
// alive: detach the agent (SetControlledAgent with a null handle) to end
// that cycle.
// Threading: user-interface thread only.
#ifndef NUVISimControllerKeyFrame_h
#define NUVISimControllerKeyFrame_h

#include "NUVSimHandles.h"
#include "NUVSimValue.h"

class VPL_EXPORT NUVISimControllerKeyFrame : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Runs the next frame. S_OK after a frame, S_FALSE when play is already
  // over, E_FAIL without a controlled agent, E_UNEXPECTED when called from
  // inside an iteration.
  virtual long Iterate() = 0;
  // Sets the flag to 1 while frames remain to play, 0 otherwise.
  virtual long CanContinue(unsigned char& ioContinue) = 0;
  // The options this controller's agents initialise from; null handle and
  // E_FAIL when it has none.
  virtual long GetInitialization(NUVISimInitialization_var& oInitialization) = 0;
  // Attaches `iAgent` (null detaches), ending the play of the previous one.
  // E_UNEXPECTED from inside an iteration.
  virtual long SetControlledAgent(NUVISimAgentKeyFrame_var& iAgent) = 0;
  virtual long GetControlledAgent(NUVISimAgentKeyFrame_var& oAgent) = 0;
  // The value of the last frame played (the empty value before the first).
  virtual long GetCurrentSimValue(NUVSimValue& oValue) = 0;
  // Ends play now (at the end of the running iteration when called from one).
  virtual long Stop() = 0;
  // Ends play if it runs, then makes the controller playable again from the
  // first frame; the agent is handed the controller again so that it can
  // rebuild what Clean released. E_UNEXPECTED from inside an iteration.
  virtual long Rewind() = 0;
};

#define IID_NUVISimControllerKeyFrame (NUVISimControllerKeyFrame::ClassId())
typedef NUVVar<NUVISimControllerKeyFrame> NUVISimControllerKeyFrame_var;

#endif
