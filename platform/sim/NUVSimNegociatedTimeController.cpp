#include "NUVSimNegociatedTimeController.h"

#include "NUVListValVar.h"
#include "NUVSimPlayInitialization.h"

NUV_IMPLEMENT_CLASS(NUVSimNegociatedTimeController, NUVISimControllerNegociatedTime,
                    "VelloranPlatform")

NUVSimNegociatedTimeController::NUVSimNegociatedTimeController()
    : _pInitialization(NUVNew<NUVSimPlayInitialization>()),
      _State(StateIdle),
      _Start(0.0),
      _End(1.0),
      _DefaultStep(0.1),
      _Status(StatusProposedStep),
      _Played(0),
      _IterationsPerRun(1),
      _RunIterations(0),
      _RunEndRequested(0),
      _InIteration(0),
      _StopRequested(0),
      _AgentCleaned(0),
      _ReInitReason(SimReInitStart) {}

NUVSimNegociatedTimeController::~NUVSimNegociatedTimeController() {
  Detach();
  if (_pInitialization) _pInitialization->Release();
}

long NUVSimNegociatedTimeController::SetStartEnd(const NUVSimValue& iStart, const NUVSimValue& iEnd) {
  if (_State == StatePlaying) return E_UNEXPECTED;
  if (iEnd < iStart) return E_INVALIDARG;
  _Start = iStart;
  _End = iEnd;
  return S_OK;
}

long NUVSimNegociatedTimeController::SetDefaultStep(const NUVSimValue& iStep) {
  if (_State == StatePlaying) return E_UNEXPECTED;
  if (iStep <= NUVSimValue()) return E_INVALIDARG;
  _DefaultStep = iStep;
  return S_OK;
}

long NUVSimNegociatedTimeController::SetIterationsPerRun(int iIterations) {
  if (iIterations < 1) return E_INVALIDARG;
  _IterationsPerRun = iIterations;
  return S_OK;
}

void NUVSimNegociatedTimeController::SetNoRealTime(unsigned char iNoRealTime) {
  if (!_pInitialization) return;
  NUVSimOptions options = _pInitialization->Options();
  options.SetNoRealTime(iNoRealTime);
  _pInitialization->SetOptions(options);
}

long NUVSimNegociatedTimeController::Iterate() {
  if (_InIteration) return E_UNEXPECTED;
  if (!_Agent) return E_FAIL;
  if (_State == StateOver) return S_FALSE;
  // The local handle keeps the agent alive even if it detaches itself.
  NUVISimAgentNegociatedTime_var agent = _Agent;
  _InIteration = 1;
  NUVSimValue value;
  if (_State == StateIdle) {
    _Played = 0;
    _RunIterations = 0;
    _RunEndRequested = 0;
    _State = StatePlaying;
    agent->Init();
    agent->ReInitData(_ReInitReason);
    agent->Activate();
    value = _Start;
    _Status = StatusProposedStep;
  } else {
    // An agent that writes nothing proposes nothing.
    const NUVSimValue noValue(-1.0);
    NUVSimValue proposal = noValue;
    agent->GetNextProposedValue(proposal);
    if (proposal != noValue && proposal > _Current) {
      value = proposal;
      _Status = StatusProposedStep;
    } else {
      value = _Current;
      value += _DefaultStep;
      _Status = StatusDefaultStep;
    }
  }
  if (value > _End) value = _End;
  agent->SetCurrentSimValue(value);
  agent->Compute();
  agent->Commit();
  SimLoopStatus loop = SimLoopContinue;
  agent->GetLoopStatus(loop);
  _Current = value;
  ++_Played;
  ++_RunIterations;
  _InIteration = 0;
  if (loop == SimLoopStop || _StopRequested) {
    _Status = StatusStopped;
    Finish();
  } else if (value >= _End) {
    _Status = StatusEndReached;
    Finish();
  } else if (loop == SimLoopEndOfRun) {
    _Status = StatusEndOfRun;
    _RunEndRequested = 1;
  }
  return S_OK;
}

long NUVSimNegociatedTimeController::CanContinue(unsigned char& ioContinue) {
  ioContinue = (!!_Agent && _State != StateOver) ? 1 : 0;
  return S_OK;
}

long NUVSimNegociatedTimeController::IsRunFinished(unsigned char& ioFinished) {
  bool finished = _State == StateOver || !_Agent || _RunEndRequested ||
                  _RunIterations >= _IterationsPerRun;
  if (finished) {
    _RunIterations = 0;
    _RunEndRequested = 0;
  }
  ioFinished = finished ? 1 : 0;
  return S_OK;
}

long NUVSimNegociatedTimeController::GetCurrentValueAndStatus(NUVSimValue& oValue, int& oStatus) {
  oValue = _Current;
  oStatus = _Status;
  return S_OK;
}

long NUVSimNegociatedTimeController::GetInitialization(NUVISimInitialization_var& oInitialization) {
  oInitialization = _pInitialization;
  return _pInitialization ? S_OK : E_FAIL;
}

long NUVSimNegociatedTimeController::SetControlledAgent(NUVISimAgentNegociatedTime_var& iAgent) {
  if (_InIteration) return E_UNEXPECTED;
  if (NUVListValVar<NUVISimAgentNegociatedTime>::Same(iAgent.get(), _Agent.get())) return S_OK;
  NUVISimAgentNegociatedTime_var agent = iAgent;  // the caller's handle may change meanwhile
  Detach();
  _Agent = agent;
  _State = StateIdle;
  _Played = 0;
  _Current = NUVSimValue();
  _Status = StatusProposedStep;
  _AgentCleaned = 0;
  _ReInitReason = SimReInitStart;
  if (!!agent) {
    NUVISimControllerNegociatedTime_var self(this);
    agent->SetSimulationController(self, 1);
  }
  return S_OK;
}

long NUVSimNegociatedTimeController::GetControlledAgent(NUVISimAgentNegociatedTime_var& oAgent) {
  oAgent = _Agent;
  return S_OK;
}

long NUVSimNegociatedTimeController::GetCurrentSimValue(NUVSimValue& oValue) {
  oValue = _Current;
  return S_OK;
}

long NUVSimNegociatedTimeController::Stop() {
  if (_InIteration) {
    _StopRequested = 1;
  } else if (_State == StatePlaying) {
    _Status = StatusStopped;
    Finish();
  } else if (_State == StateIdle) {
    _Status = StatusStopped;
    _State = StateOver;
  }
  return S_OK;
}

long NUVSimNegociatedTimeController::Rewind() {
  if (_InIteration) return E_UNEXPECTED;
  if (_State == StatePlaying) Finish();
  _State = StateIdle;
  _Played = 0;
  _RunIterations = 0;
  _RunEndRequested = 0;
  _Current = NUVSimValue();
  _Status = StatusProposedStep;
  _StopRequested = 0;
  _ReInitReason = SimReInitRewind;
  if (_AgentCleaned && !!_Agent) {
    _AgentCleaned = 0;
    NUVISimAgentNegociatedTime_var agent = _Agent;
    NUVISimControllerNegociatedTime_var self(this);
    agent->SetSimulationController(self, 1);
  }
  return S_OK;
}

void NUVSimNegociatedTimeController::Finish() {
  // The state changes first: the agent's calls below may query it.
  bool wasPlaying = _State == StatePlaying;
  _State = StateOver;
  _StopRequested = 0;
  if (!wasPlaying || !_Agent) return;
  NUVISimAgentNegociatedTime_var agent = _Agent;
  _AgentCleaned = 1;
  agent->Deactivate();
  agent->Clean();
}

void NUVSimNegociatedTimeController::Detach() {
  if (!_Agent) return;
  if (_State == StatePlaying) Finish();
  NUVISimAgentNegociatedTime_var old = _Agent;
  _Agent = nullptr;
  NUVISimControllerNegociatedTime_var none;
  old->SetSimulationController(none, 0);
}
