#include "NUVSimKeyFrameController.h"

#include "NUVListValVar.h"
#include "NUVSimPlayInitialization.h"

NUV_IMPLEMENT_CLASS(NUVSimKeyFrameController, NUVISimControllerKeyFrame, "VelloranPlatform")

namespace {
int CompareAscending(const NUVSimValue* a, const NUVSimValue* b) {
  return *a < *b ? -1 : (*b < *a ? 1 : 0);
}
}  // namespace

NUVSimKeyFrameController::NUVSimKeyFrameController()
    : _pInitialization(NUVNew<NUVSimPlayInitialization>()),
      _State(StateIdle),
      _Mode(FramesNone),
      _Played(0),
      _InIteration(0),
      _StopRequested(0),
      _AgentCleaned(0) {}

NUVSimKeyFrameController::~NUVSimKeyFrameController() {
  Detach();
  if (_pInitialization) _pInitialization->Release();
}

long NUVSimKeyFrameController::SetKeyFrames(const NUVSimValue& iStart, const NUVSimValue& iEnd,
                                            const NUVSimValue& iStep) {
  if (_State == StatePlaying) return E_UNEXPECTED;
  if (iStep <= NUVSimValue() || iEnd < iStart) return E_INVALIDARG;
  _Mode = FramesGrid;
  _Start = iStart;
  _End = iEnd;
  _Step = iStep;
  _Frames.RemoveAll();
  return S_OK;
}

long NUVSimKeyFrameController::SetKeyFrameList(const NUVListValNUVSimValue& iFrames) {
  if (_State == StatePlaying) return E_UNEXPECTED;
  if (iFrames.Size() == 0) return E_INVALIDARG;
  NUVListValNUVSimValue sorted = iFrames;
  sorted.QuickSort(&CompareAscending);
  _Frames.RemoveAll();
  for (int i = 1; i <= sorted.Size(); ++i) {
    if (_Frames.Size() == 0 || _Frames[_Frames.Size()] != sorted[i]) _Frames.Append(sorted[i]);
  }
  _Mode = FramesList;
  return S_OK;
}

void NUVSimKeyFrameController::SetNoRealTime(unsigned char iNoRealTime) {
  if (!_pInitialization) return;
  NUVSimOptions options = _pInitialization->Options();
  options.SetNoRealTime(iNoRealTime);
  _pInitialization->SetOptions(options);
}

bool NUVSimKeyFrameController::NextFrame(NUVSimValue& oValue) const {
  if (_Mode == FramesList) {
    oValue = _Frames[_Played + 1];
    return _Played + 1 >= _Frames.Size();
  }
  // Grid: built by addition from the previous frame, which is exact for
  // NUVSimValue, so no frame drifts off the grid.
  if (_Played == 0) {
    oValue = _Start;
  } else {
    oValue = _Current;
    oValue += _Step;
  }
  if (oValue >= _End) {
    oValue = _End;
    return true;
  }
  return false;
}

long NUVSimKeyFrameController::Iterate() {
  if (_InIteration) return E_UNEXPECTED;
  if (!_Agent) return E_FAIL;
  if (_State == StateOver || _Mode == FramesNone) return S_FALSE;
  // The local handle keeps the agent alive even if it detaches itself.
  NUVISimAgentKeyFrame_var agent = _Agent;
  _InIteration = 1;
  if (_State == StateIdle) {
    _Played = 0;
    _State = StatePlaying;
    agent->Init();
    agent->Activate();
  }
  NUVSimValue value;
  bool last = NextFrame(value);
  agent->SetCurrentSimValue(value);
  agent->Compute();
  agent->Commit();
  SimLoopStatus status = SimLoopContinue;
  agent->GetLoopStatus(status);
  _Current = value;
  ++_Played;
  _InIteration = 0;
  if (last || status == SimLoopStop || _StopRequested) Finish();
  return S_OK;
}

long NUVSimKeyFrameController::CanContinue(unsigned char& ioContinue) {
  ioContinue = (!!_Agent && _State != StateOver && _Mode != FramesNone) ? 1 : 0;
  return S_OK;
}

long NUVSimKeyFrameController::GetInitialization(NUVISimInitialization_var& oInitialization) {
  oInitialization = _pInitialization;
  return _pInitialization ? S_OK : E_FAIL;
}

long NUVSimKeyFrameController::SetControlledAgent(NUVISimAgentKeyFrame_var& iAgent) {
  if (_InIteration) return E_UNEXPECTED;
  if (NUVListValVar<NUVISimAgentKeyFrame>::Same(iAgent.get(), _Agent.get())) return S_OK;
  NUVISimAgentKeyFrame_var agent = iAgent;  // the caller's handle may change meanwhile
  Detach();
  _Agent = agent;
  _State = StateIdle;
  _Played = 0;
  _Current = NUVSimValue();
  _AgentCleaned = 0;
  if (!!agent) {
    NUVISimControllerKeyFrame_var self(this);
    agent->SetSimulationController(self, 1);
  }
  return S_OK;
}

long NUVSimKeyFrameController::GetControlledAgent(NUVISimAgentKeyFrame_var& oAgent) {
  oAgent = _Agent;
  return S_OK;
}

long NUVSimKeyFrameController::GetCurrentSimValue(NUVSimValue& oValue) {
  oValue = _Current;
  return S_OK;
}

long NUVSimKeyFrameController::Stop() {
  if (_InIteration) {
    _StopRequested = 1;
  } else if (_State == StatePlaying) {
    Finish();
  } else {
    _State = StateOver;
  }
  return S_OK;
}

long NUVSimKeyFrameController::Rewind() {
  if (_InIteration) return E_UNEXPECTED;
  if (_State == StatePlaying) Finish();
  _State = StateIdle;
  _Played = 0;
  _Current = NUVSimValue();
  _StopRequested = 0;
  if (_AgentCleaned && !!_Agent) {
    _AgentCleaned = 0;
    NUVISimAgentKeyFrame_var agent = _Agent;
    NUVISimControllerKeyFrame_var self(this);
    agent->SetSimulationController(self, 1);
  }
  return S_OK;
}

void NUVSimKeyFrameController::Finish() {
  // The state changes first: the agent's calls below may query it.
  bool wasPlaying = _State == StatePlaying;
  _State = StateOver;
  _StopRequested = 0;
  if (!wasPlaying || !_Agent) return;
  NUVISimAgentKeyFrame_var agent = _Agent;
  _AgentCleaned = 1;
  agent->Deactivate();
  agent->Clean();
}

void NUVSimKeyFrameController::Detach() {
  if (!_Agent) return;
  if (_State == StatePlaying) Finish();
  NUVISimAgentKeyFrame_var old = _Agent;
  _Agent = nullptr;
  NUVISimControllerKeyFrame_var none;
  old->SetSimulationController(none, 0);
}
