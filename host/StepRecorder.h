// StepRecorder: an agent of velloran-play's scene that records every step.
// Added to the structured agent after the redraw agent, its Commit comes
// after the redraw agent's and reads the decision made for the step, so the
// host sees each step even when a controller computes many in one turn (a
// negotiated-time run), and can show its progress during such a run.
//
//   auto* recorder = new StepRecorder(api, redrawAgent, rows, onStep);
//   scene.AddMember(recorder);
//
// An observer of low priority: it proposes nothing and never stops play.
// Its clock is the host's (NUVHostClock), real or modelled.
// Threading: user-interface thread.
#ifndef StepRecorder_h
#define StepRecorder_h

#include <functional>
#include <vector>

#include "NUVSimBasicAgent.h"
#include "PlayCommand.h"
#include "PlayReport.h"

class StepRecorder : public NUVSimBasicAgent {
 public:
  // `rows` (may be null: only counts are kept) receives one row per step;
  // `onStep` (may be empty) is called after each.
  StepRecorder(const PlayCommandApi* api, NUVBaseUnknown* redrawAgent, std::vector<StepRow>* rows,
               std::function<void()> onStep);

  int Steps() const { return GetStepCount(); }
  int Observed() const { return _Observed; }
  double LastValue() const { return GetCurrent().GetValue(); }
  // Real time of the rows is counted from here.
  void StartClock();

  long Init() override { return S_OK; }  // counts run over the whole play
  long ReInitData(const SimReInitParameter&) override { return S_OK; }
  long Commit() override;

 private:
  const PlayCommandApi* _pApi;
  NUVBaseUnknown* _pRedrawAgent;  // not held: the scene outlives the recorder's use
  std::vector<StepRow>* _pRows;
  std::function<void()> _OnStep;
  int _Observed = 0;
  double _Start = 0;
};

#endif
