// StepRecorder: an agent of velloran-play's scene that records every step.
// Added to the structured agent after the redraw agent, its Commit comes
// after the redraw agent's and reads the decision made for the step, so the
// host sees each step even when a controller computes many in one turn.
//
//   auto* recorder = new StepRecorder(api, redrawAgent, rows);
//   members->AddMember(NUVISimAgentKeyFrame_var(recorder));
//
// It proposes nothing and never stops play. Threading: user-interface thread.
#ifndef StepRecorder_h
#define StepRecorder_h

#include <chrono>
#include <vector>

#include "NUVISimAgentKeyFrame.h"
#include "NUVISimAgentNegociatedTime.h"
#include "NUVISimControllerKeyFrame.h"
#include "NUVISimControllerNegociatedTime.h"
#include "PlayCommand.h"
#include "PlayReport.h"

class StepRecorder : public NUVBaseUnknown {
 public:
  // `rows` (may be null: only counts are kept) receives one row per step.
  StepRecorder(const PlayCommandApi* api, NUVBaseUnknown* redrawAgent,
               std::vector<StepRow>* rows);

  long QueryInterface(const NUVIID& iid, void** out) override;

  int Steps() const { return _Steps; }
  int Observed() const { return _Observed; }
  double LastValue() const { return _Current.GetValue(); }
  void StartClock() { _Start = std::chrono::steady_clock::now(); }

  // The operations of both agent interfaces.
  long Init() { return S_OK; }
  long Clean() { return S_OK; }
  long Activate() { return S_OK; }
  long Deactivate() { return S_OK; }
  long ReInitData(const SimReInitParameter&) { return S_OK; }
  long SetCurrentSimValue(const NUVSimValue& value) {
    _Current = value;
    return S_OK;
  }
  long SetCurrentMode(int) { return S_OK; }
  long Compute() { return S_OK; }
  long Commit();
  long GetComputeStatus(SimComputeStatus& s) {
    s = SimComputeOK;
    return S_OK;
  }
  long GetLoopStatus(SimLoopStatus& s) {
    s = SimLoopContinue;
    return S_OK;
  }
  long GetNextProposedValue(NUVSimValue& v) {
    v = NUVSimValue(-1.0);  // no value of its own
    return S_OK;
  }
  long Reset() { return S_OK; }
  long ComputeNextIteration(unsigned int) { return S_OK; }
  long GetModeParams(int, unsigned char&, NUVSimValue&, NUVSimValue&, NUVSimValue&, NUVSimValue&,
                     unsigned char&, unsigned char&) {
    return S_OK;
  }
  long DispatchModeParams(int, const NUVSimValue&, const NUVSimValue&, const NUVSimValue&,
                          const NUVSimValue&, unsigned char, unsigned char) {
    return S_OK;
  }
  long GetPriority(SimAgentPriority& p) {
    p = SimAgentPriorityLow;
    return S_OK;
  }
  long SetPriority(SimAgentPriority) { return S_OK; }
  long GetSubPriority(unsigned int& p) {
    p = 100;
    return S_OK;
  }
  long GetType(SimAgentType& t) {
    t = SimAgentTypeObserve;
    return S_OK;
  }
  long GetKFType(SimAgentType& t) { return GetType(t); }
  long GetNTType(SimAgentType& t) { return GetType(t); }
  long SetType(SimAgentType) { return S_OK; }
  long SetSimulationController(NUVISimControllerKeyFrame_var&, unsigned char) { return S_OK; }
  long SetSimulationController(NUVISimControllerNegociatedTime_var&, unsigned char) { return S_OK; }
  long GetSimulationController(NUVISimControllerKeyFrame_var& c) {
    c = nullptr;
    return S_OK;
  }
  long GetSimulationController(NUVISimControllerNegociatedTime_var& c) {
    c = nullptr;
    return S_OK;
  }
  long GetEnabled(unsigned char& e) {
    e = 1;
    return S_OK;
  }
  long SetEnabled(unsigned char) { return S_OK; }

 private:
  const PlayCommandApi* _pApi;
  NUVBaseUnknown* _pRedrawAgent;  // not held: the scene outlives the recorder's use
  std::vector<StepRow>* _pRows;
  NUVSimValue _Current;
  int _Steps = 0;
  int _Observed = 0;
  std::chrono::steady_clock::time_point _Start = std::chrono::steady_clock::now();
};

#endif
