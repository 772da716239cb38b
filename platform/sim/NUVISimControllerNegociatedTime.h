// NUVISimControllerNegociatedTime: a controller that advances simulated time
// to the smallest value its controlled agent proposes.
//
// Operations by role, as the play loop uses them:
//   iterate                 Iterate()
//   continue query          CanContinue(unsigned char&): 0 once play is over
//   finished query          IsRunFinished(unsigned char&): 1 when the current
//                           run of iterations ends here
//   value-and-status query  GetCurrentValueAndStatus(NUVSimValue&, int&)
//   initialization handle   GetInitialization(NUVISimInitialization_var&)
//   controlled agent        SetControlledAgent / GetControlledAgent
//
//   unsigned char finished = 1;
//   controller->Iterate(); controller->IsRunFinished(finished);
//
// Play: the first Iterate initialises the agent (Init, ReInitData, Activate)
// and plays the start value. Each later Iterate asks the agent for its
// proposal (GetNextProposedValue, preset to -1.0), advances to it when it is
// greater than the current value (a proposal of -1.0 means none), or by the
// default step otherwise, never beyond the end value, and plays that value
// (SetCurrentSimValue, Compute, Commit, GetLoopStatus). Reaching the end
// value, a loop status of 3 or Stop end play (Deactivate, Clean).
//
// Status codes of the value-and-status query (multiples of 100 end a run):
//   0   the last step went to the proposed value (also before play);
//   1   nobody proposed: the last step was the default step;
//   100 the end value was reached, play is over;
//   200 play was stopped (loop status 3 or Stop);
//   300 the agent asked to end the run here (loop status 2); play goes on.
//
// Ownership is as for NUVISimControllerKeyFrame: the controller hands itself
// to the agent on attach and a null handle on detach.
// Threading: user-interface thread only.
#ifndef NUVISimControllerNegociatedTime_h
#define NUVISimControllerNegociatedTime_h

#include "NUVSimHandles.h"
#include "NUVSimValue.h"

class VPL_EXPORT NUVISimControllerNegociatedTime : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  enum {
    StatusProposedStep = 0,
    StatusDefaultStep = 1,
    StatusEndReached = 100,
    StatusStopped = 200,
    StatusEndOfRun = 300
  };

  // Runs one step. S_OK after a step, S_FALSE when play is already over,
  // E_FAIL without a controlled agent, E_UNEXPECTED from inside an iteration.
  virtual long Iterate() = 0;
  // Sets the flag to 1 while play goes on, 0 once it is over.
  virtual long CanContinue(unsigned char& ioContinue) = 0;
  // Sets the flag to 1 when play is over, when the agent asked to end the
  // run (loop status 2), or when the iterations per run have been played
  // since the run began; answering 1 begins a new run. 0 otherwise.
  virtual long IsRunFinished(unsigned char& ioFinished) = 0;
  // The value of the last step and the status of the list above.
  virtual long GetCurrentValueAndStatus(NUVSimValue& oValue, int& oStatus) = 0;
  virtual long GetInitialization(NUVISimInitialization_var& oInitialization) = 0;
  virtual long SetControlledAgent(NUVISimAgentNegociatedTime_var& iAgent) = 0;
  virtual long GetControlledAgent(NUVISimAgentNegociatedTime_var& oAgent) = 0;
  virtual long GetCurrentSimValue(NUVSimValue& oValue) = 0;
  virtual long Stop() = 0;
  virtual long Rewind() = 0;
};

#define IID_NUVISimControllerNegociatedTime (NUVISimControllerNegociatedTime::ClassId())
typedef NUVVar<NUVISimControllerNegociatedTime> NUVISimControllerNegociatedTime_var;

#endif
