// NUVSimNegociatedTimeController: the engine's negotiated-time controller.
// It plays from a start value to an end value, each step advancing to the
// smallest value its controlled agent proposes (a structured agent proposes
// the smallest of its members' proposals), or by a default step when nobody
// proposes. Roles, statuses and lifecycle are those of
// NUVISimControllerNegociatedTime.
//
//   NUVSimNegociatedTimeController* c = new NUVSimNegociatedTimeController;
//   c->SetStartEnd(0.0, 10.0); c->SetControlledAgent(agent);
//
// A run is the sequence of iterations the play loop makes without returning
// to the event loop; the finished query ends it after SetIterationsPerRun
// iterations (1 by default, so that each step can be drawn before the next).
// Defaults: start 0, end 1, default step 0.1, one iteration per run.
// Start, end and default step can be changed only while play is not running.
// Threading: user-interface thread only.
#ifndef NUVSimNegociatedTimeController_h
#define NUVSimNegociatedTimeController_h

#include "NUVISimAgentNegociatedTime.h"
#include "NUVISimControllerNegociatedTime.h"
#include "SimReInitParameter.h"

class NUVSimPlayInitialization;

class VPL_EXPORT NUVSimNegociatedTimeController : public NUVISimControllerNegociatedTime {
  NUV_DECLARE_CLASS
 public:
  NUVSimNegociatedTimeController();
  ~NUVSimNegociatedTimeController() override;

  long Iterate() override;
  long CanContinue(unsigned char& ioContinue) override;
  long IsRunFinished(unsigned char& ioFinished) override;
  long GetCurrentValueAndStatus(NUVSimValue& oValue, int& oStatus) override;
  long GetInitialization(NUVISimInitialization_var& oInitialization) override;
  long SetControlledAgent(NUVISimAgentNegociatedTime_var& iAgent) override;
  long GetControlledAgent(NUVISimAgentNegociatedTime_var& oAgent) override;
  long GetCurrentSimValue(NUVSimValue& oValue) override;
  long Stop() override;
  long Rewind() override;

  // E_INVALIDARG when the end is before the start; E_UNEXPECTED during play.
  long SetStartEnd(const NUVSimValue& iStart, const NUVSimValue& iEnd);
  // E_INVALIDARG when not positive; E_UNEXPECTED during play.
  long SetDefaultStep(const NUVSimValue& iStep);
  // E_INVALIDARG below 1.
  long SetIterationsPerRun(int iIterations);
  void SetNoRealTime(unsigned char iNoRealTime);
  int GetStepsPlayed() const { return _Played; }

 private:
  enum PlayState { StateIdle, StatePlaying, StateOver };

  void Finish();
  void Detach();

  NUVISimAgentNegociatedTime_var _Agent;
  NUVSimPlayInitialization* _pInitialization;  // one reference
  PlayState _State;
  NUVSimValue _Start, _End, _DefaultStep;
  NUVSimValue _Current;
  int _Status;
  int _Played;
  int _IterationsPerRun;
  int _RunIterations;  // iterations since the current run began
  unsigned char _RunEndRequested;
  unsigned char _InIteration;
  unsigned char _StopRequested;
  unsigned char _AgentCleaned;
  SimReInitParameter _ReInitReason;
};

#endif
