// NUVSimNegociatedTimeController: the engine's negotiated-time controller.
// It plays from a start value to an end value, each step advancing to the
// smallest value its controlled agent proposes (a structured agent proposes
// the smallest of its members' proposals), or by a default step when nobody
// proposes. Roles, statuses and lifecycle are those of
// NUVISimControllerNegociatedTime, built on NUVSimPlayController.
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
#include "NUVSimPlayController.h"
#include "SimReInitParameter.h"

class VPL_EXPORT NUVSimNegociatedTimeController
    : public NUVSimPlayController<NUVISimControllerNegociatedTime, NUVISimAgentNegociatedTime> {
  NUV_DECLARE_CLASS
 public:
  NUVSimNegociatedTimeController();
  ~NUVSimNegociatedTimeController() override;

  long IsRunFinished(unsigned char& ioFinished) override;
  long GetCurrentValueAndStatus(NUVSimValue& oValue, int& oStatus) override;

  // E_INVALIDARG when the end is before the start; E_UNEXPECTED during play.
  long SetStartEnd(const NUVSimValue& iStart, const NUVSimValue& iEnd);
  // E_INVALIDARG when not positive; E_UNEXPECTED during play.
  long SetDefaultStep(const NUVSimValue& iStep);
  // E_INVALIDARG below 1.
  long SetIterationsPerRun(int iIterations);
  int GetStepsPlayed() const { return _Played; }

 protected:
  void BeginPlay(AgentVar& iAgent) override;
  bool NextValue(AgentVar& iAgent, bool iFirst, NUVSimValue& oValue) override;
  void StepPlayed(SimLoopStatus iLoop, bool iLast, bool iStopped) override;
  void Stopping() override { _Status = StatusStopped; }
  // What the controlled agent answers, preset to OK.
  SimComputeStatus NotifiedComputeStatus(AgentVar& iAgent) override {
    SimComputeStatus status = SimComputeOK;
    iAgent->GetComputeStatus(status);
    return status;
  }
  void PlayReset(bool iRewind) override;

 private:
  NUVSimValue _Start, _End, _DefaultStep;
  int _Status;
  int _IterationsPerRun;
  int _RunIterations;  // iterations since the current run began
  unsigned char _RunEndRequested;
  SimReInitParameter _ReInitReason;
};

#endif
