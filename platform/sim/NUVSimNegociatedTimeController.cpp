#include "NUVSimNegociatedTimeController.h"

NUV_IMPLEMENT_CLASS(NUVSimNegociatedTimeController, NUVISimControllerNegociatedTime,
                    "VelloranPlatform")

NUVSimNegociatedTimeController::NUVSimNegociatedTimeController()
    : _Start(0.0),
      _End(1.0),
      _DefaultStep(0.1),
      _Status(StatusProposedStep),
      _IterationsPerRun(1),
      _RunIterations(0),
      _RunEndRequested(0),
      _ReInitReason(SimReInitStart) {}

NUVSimNegociatedTimeController::~NUVSimNegociatedTimeController() = default;

long NUVSimNegociatedTimeController::SetStartEnd(const NUVSimValue& iStart,
                                                 const NUVSimValue& iEnd) {
  if (State() == StatePlaying) return E_UNEXPECTED;
  if (iEnd < iStart) return E_INVALIDARG;
  _Start = iStart;
  _End = iEnd;
  return S_OK;
}

long NUVSimNegociatedTimeController::SetDefaultStep(const NUVSimValue& iStep) {
  if (State() == StatePlaying) return E_UNEXPECTED;
  if (iStep <= NUVSimValue()) return E_INVALIDARG;
  _DefaultStep = iStep;
  return S_OK;
}

long NUVSimNegociatedTimeController::SetIterationsPerRun(int iIterations) {
  if (iIterations < 1) return E_INVALIDARG;
  _IterationsPerRun = iIterations;
  return S_OK;
}

void NUVSimNegociatedTimeController::BeginPlay(AgentVar& iAgent) {
  _RunIterations = 0;
  _RunEndRequested = 0;
  iAgent->Init();
  iAgent->ReInitData(_ReInitReason);
  iAgent->Activate();
}

bool NUVSimNegociatedTimeController::NextValue(AgentVar& iAgent, bool iFirst, NUVSimValue& oValue) {
  _Status = StatusProposedStep;
  if (iFirst) {
    oValue = _Start;
  } else {
    // An agent that writes nothing proposes nothing.
    const NUVSimValue noValue(-1.0);
    NUVSimValue proposal = noValue;
    iAgent->GetNextProposedValue(proposal);
    if (proposal != noValue && proposal > _Current) {
      oValue = proposal;
    } else {
      oValue = _Current;
      oValue += _DefaultStep;
      _Status = StatusDefaultStep;
    }
  }
  if (oValue > _End) oValue = _End;
  return oValue >= _End;
}

void NUVSimNegociatedTimeController::StepPlayed(SimLoopStatus iLoop, bool iLast, bool iStopped) {
  ++_RunIterations;
  if (iStopped) {
    _Status = StatusStopped;
  } else if (iLast) {
    _Status = StatusEndReached;
  } else if (iLoop == SimLoopEndOfRun) {
    _Status = StatusEndOfRun;
    _RunEndRequested = 1;
  }
}

void NUVSimNegociatedTimeController::PlayReset(bool iRewind) {
  _RunIterations = 0;
  _RunEndRequested = 0;
  _Status = StatusProposedStep;
  _ReInitReason = iRewind ? SimReInitRewind : SimReInitStart;
}

long NUVSimNegociatedTimeController::IsRunFinished(unsigned char& ioFinished) {
  bool finished =
      State() == StateOver || !_Agent || _RunEndRequested || _RunIterations >= _IterationsPerRun;
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
