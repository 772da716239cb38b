#include "StepRecorder.h"

#include "NUVSimAgentKeyFrameTie.h"
#include "NUVSimAgentNegociatedTimeTie.h"

namespace {

class KeyFrameTie : public NUVSimAgentKeyFrameTie<StepRecorder> {
 public:
  using NUVSimAgentKeyFrameTie::NUVSimAgentKeyFrameTie;
};

class NegociatedTimeTie : public NUVSimAgentNegociatedTimeTie<StepRecorder> {
 public:
  using NUVSimAgentNegociatedTimeTie::NUVSimAgentNegociatedTimeTie;
};

}  // namespace

StepRecorder::StepRecorder(const PlayCommandApi* api, NUVBaseUnknown* redrawAgent,
                           std::vector<StepRow>* rows)
    : _pApi(api), _pRedrawAgent(redrawAgent), _pRows(rows) {}

long StepRecorder::QueryInterface(const NUVIID& iid, void** out) {
  if (out && iid == NUVISimAgentKeyFrame::ClassId()) {
    *out = NUVTieFindOrCreate<KeyFrameTie>(this);
    return *out ? S_OK : E_NOINTERFACE;
  }
  if (out && iid == NUVISimAgentNegociatedTime::ClassId()) {
    *out = NUVTieFindOrCreate<NegociatedTimeTie>(this);
    return *out ? S_OK : E_NOINTERFACE;
  }
  return NUVBaseUnknown::QueryInterface(iid, out);
}

long StepRecorder::Commit() {
  PlayStepState state = {0, 0, 0};
  _pApi->stepState(_pRedrawAgent, &state);
  ++_Steps;
  _Observed += state.observable;
  if (_pRows) {
    double real =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - _Start).count();
    _pRows->push_back({real, _Current.GetValue(), state.frameState, state.drawing});
  }
  return S_OK;
}
