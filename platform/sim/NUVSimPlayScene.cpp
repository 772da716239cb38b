#include "NUVSimPlayScene.h"

#include "NUVDictionary.h"
#include "NUVISimAgentKeyFrame.h"
#include "NUVISimAgentNegociatedTime.h"
#include "NUVISimStructuredAgentKeyFrameMgt.h"
#include "NUVISimStructuredAgentNegociatedTimeMgt.h"
#include "NUVSimKeyFrameController.h"
#include "NUVSimMovingObjectAgent.h"
#include "NUVSimNegociatedTimeController.h"

NUVSimPlayScene::NUVSimPlayScene(Controller controller) : _Controller(controller) {
  void* raw = nullptr;
  if (controller == NegociatedTime) {
    NUVInstantiateComponent("NUVSimProbesStructuredAgentNT",
                            IID_NUVISimStructuredAgentNegociatedTimeMgt, &raw);
    _pStructured = static_cast<NUVISimStructuredAgentNegociatedTimeMgt*>(raw);
  } else {
    NUVInstantiateComponent("NUVSimProbesStructuredAgentKF", IID_NUVISimStructuredAgentKeyFrameMgt,
                            &raw);
    _pStructured = static_cast<NUVISimStructuredAgentKeyFrameMgt*>(raw);
  }
}

NUVSimPlayScene::~NUVSimPlayScene() {
  AttachNotifications(nullptr);
  if (_pNegociatedTime) {
    NUVISimAgentNegociatedTime_var none;
    _pNegociatedTime->SetControlledAgent(none);
    _pNegociatedTime->Release();
  }
  if (_pKeyFrame) {
    NUVISimAgentKeyFrame_var none;
    _pKeyFrame->SetControlledAgent(none);
    _pKeyFrame->Release();
  }
  if (_pStructured) _pStructured->Release();
  for (NUVSimMovingObjectAgent* mover : _Movers) mover->Release();
  for (NUVISimAgentKeyFrame_var& agent : _Registered) _Coordinator->RemoveAgent(agent);
}

long NUVSimPlayScene::UseMasterObservation(NUVISimMasterObservation* coordinator) {
  if (!coordinator) return E_INVALIDARG;
  if (!!_Coordinator || !_Registered.empty() || _pKeyFrame || _pNegociatedTime) return E_UNEXPECTED;
  NUVBaseUnknown* main = nullptr;
  if (_Controller == NegociatedTime) {
    NUVISimAgentNegociatedTime_var agent;
    coordinator->GetMainAgent(agent);
    NUVISimStructuredAgentNegociatedTimeMgt_var mgt(agent);
    if (!!mgt) (main = mgt.get())->AddRef();
  } else {
    NUVISimAgentKeyFrame_var agent;
    coordinator->GetMainAgent(agent);
    NUVISimStructuredAgentKeyFrameMgt_var mgt(agent);
    if (!!mgt) (main = mgt.get())->AddRef();
  }
  if (!main) return E_FAIL;
  if (_pStructured) _pStructured->Release();
  _pStructured = main;
  _Coordinator = coordinator;
  return S_OK;
}

long NUVSimPlayScene::Register(NUVBaseUnknown* agent, unsigned char simulationOnly) {
  NUVISimAgentKeyFrame_var handle(agent);
  NUVISimAgentNegociatedTime_var other(agent);
  if (!handle || !other) return E_NOINTERFACE;
  long result = _Coordinator->AddAgent(handle, simulationOnly, 0);
  if (result == S_OK) _Registered.push_back(handle);
  return result;
}

long NUVSimPlayScene::AddInteractiveMember(NUVBaseUnknown* agent) {
  return !_Coordinator ? E_UNEXPECTED : Register(agent, 0);
}

void NUVSimPlayScene::AttachNotifications(NUVISimMasterObservation* coordinator) {
  if (_pKeyFrame) _pKeyFrame->SetMasterObservation(coordinator);
  if (_pNegociatedTime) _pNegociatedTime->SetMasterObservation(coordinator);
}

long NUVSimPlayScene::AddMember(NUVBaseUnknown* agent) {
  if (!_pStructured) return E_UNEXPECTED;
  if (!!_Coordinator) return Register(agent, 1);
  if (_Controller == NegociatedTime) {
    NUVISimAgentNegociatedTime_var member(agent);
    if (!member) return E_NOINTERFACE;
    return static_cast<NUVISimStructuredAgentNegociatedTimeMgt*>(_pStructured)->AddMember(member);
  }
  NUVISimAgentKeyFrame_var member(agent);
  if (!member) return E_NOINTERFACE;
  return static_cast<NUVISimStructuredAgentKeyFrameMgt*>(_pStructured)->AddMember(member);
}

void NUVSimPlayScene::AddMovers(int count, double end, double firstCostMicroseconds,
                                double growth) {
  for (int i = 0; i < count; ++i) {
    auto* mover = new NUVSimMovingObjectAgent;
    mover->SetComputeCost(firstCostMicroseconds, growth);
    // Movers go two by two at the same pace along x; the second of each two
    // starts lower, zigzags higher and climbs in z, so the first two paths
    // cross once, at the first way point.
    mover->SetRegularPath(NUVSimValue(0.25), NUVSimValue(end), 1.0 + i / 2, -i, 2.0 + i % 2,
                          0.5 * i);
    AddMember(mover);
    _Movers.push_back(mover);  // keeps the creation reference
  }
}

NUVSimMovingObjectAgent* NUVSimPlayScene::GetMover(int index) const {
  return index >= 0 && static_cast<size_t>(index) < _Movers.size() ? _Movers[static_cast<size_t>(index)]
                                                                  : nullptr;
}

long NUVSimPlayScene::Start(double end, double step, int iterationsPerRun) {
  if (!_pStructured || _pKeyFrame || _pNegociatedTime) return E_UNEXPECTED;
  long result = S_OK;
  if (_Controller == NegociatedTime) {
    _pNegociatedTime = new NUVSimNegociatedTimeController;
    result = _pNegociatedTime->SetStartEnd(NUVSimValue(0.0), NUVSimValue(end));
    if (result == S_OK) result = _pNegociatedTime->SetDefaultStep(NUVSimValue(step));
    if (result == S_OK) result = _pNegociatedTime->SetIterationsPerRun(iterationsPerRun);
    NUVISimAgentNegociatedTime_var top(_pStructured);
    if (result == S_OK) result = _pNegociatedTime->SetControlledAgent(top);
  } else {
    _pKeyFrame = new NUVSimKeyFrameController;
    result = _pKeyFrame->SetKeyFrames(NUVSimValue(0.0), NUVSimValue(end), NUVSimValue(step));
    NUVISimAgentKeyFrame_var top(_pStructured);
    if (result == S_OK) result = _pKeyFrame->SetControlledAgent(top);
  }
  if (!!_Coordinator) AttachNotifications(_Coordinator.get());
  return result;
}

bool NUVSimPlayScene::Playing() const {
  unsigned char more = 0;
  if (_pNegociatedTime) _pNegociatedTime->CanContinue(more);
  if (_pKeyFrame) _pKeyFrame->CanContinue(more);
  return more != 0;
}

long NUVSimPlayScene::Iterate() {
  if (_pNegociatedTime) return _pNegociatedTime->Iterate();
  return _pKeyFrame ? _pKeyFrame->Iterate() : E_UNEXPECTED;
}

long NUVSimPlayScene::Stop() {
  if (_pNegociatedTime) return _pNegociatedTime->Stop();
  return _pKeyFrame ? _pKeyFrame->Stop() : E_UNEXPECTED;
}

int NUVSimPlayScene::StepsPlayed() const {
  if (_pNegociatedTime) return _pNegociatedTime->GetStepsPlayed();
  return _pKeyFrame ? _pKeyFrame->GetFramesPlayed() : 0;
}

NUVSimValue NUVSimPlayScene::Current() const {
  NUVSimValue value;
  if (_pNegociatedTime) _pNegociatedTime->GetCurrentSimValue(value);
  if (_pKeyFrame) _pKeyFrame->GetCurrentSimValue(value);
  return value;
}
