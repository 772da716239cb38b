#include "StepRecorder.h"

#include "NUVHostClock.h"

StepRecorder::StepRecorder(const PlayCommandApi* api, NUVBaseUnknown* redrawAgent,
                           std::vector<StepRow>* rows, std::function<void()> onStep)
    : NUVSimBasicAgent(SimAgentTypeObserve, SimAgentPriorityLow),
      _pApi(api),
      _pRedrawAgent(redrawAgent),
      _pRows(rows),
      _OnStep(std::move(onStep)),
      _Start(NUVHostClock::Now()) {}

void StepRecorder::StartClock() { _Start = NUVHostClock::Now(); }

long StepRecorder::Commit() {
  NUVSimBasicAgent::Commit();
  PlayStepState state = {0, 0, 0};
  _pApi->stepState(_pRedrawAgent, &state);
  _Observed += state.observable;
  if (_pRows) {
    _pRows->push_back(
        {NUVHostClock::Now() - _Start, GetCurrent().GetValue(), state.frameState, state.drawing});
  }
  if (_OnStep) _OnStep();
  return S_OK;
}
