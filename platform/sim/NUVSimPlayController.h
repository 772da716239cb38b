// NUVSimPlayController<ControllerI, AgentI>: the play lifecycle the engine's
// two controllers (key-frame and negotiated-time) have in common: attaching
// and detaching the controlled agent, the Iterate skeleton, Stop, Rewind and
// the end of play. Not for users: use NUVSimKeyFrameController or
// NUVSimNegociatedTimeController, which choose the value of each step.
//
//   class MyController : public NUVSimPlayController<NUVISimControllerKeyFrame,
//                                                    NUVISimAgentKeyFrame> { ... };
//
// Iterate: the first call begins play (BeginPlay: Init, Activate by default);
// each call then asks NextValue for the step's value and plays it
// (SetCurrentSimValue, Compute, Commit, GetLoopStatus). Play ends
// (Deactivate, Clean) after the last value, on a loop status of 3 or on Stop.
//
// Notifications: with a master observation coordinator set
// (SetMasterObservation), play tells the coordinator's subscribers what it
// does: phases load and pre-apply-initial-state before BeginPlay,
// post-apply-initial-state and activated after it; after each step the
// queued notifications are stamped with the step's value, compute status
// (NotifiedComputeStatus) and loop status, and dispatched (phase 0); at the
// end deactivated after Deactivate and clean after Clean.
// Threading: user-interface thread only.
#ifndef NUVSimPlayController_h
#define NUVSimPlayController_h

#include "NUVISimMasterObservation.h"
#include "NUVListValVar.h"
#include "NUVSimPlayInitialization.h"
#include "SimLoopStatus.h"

template <class ControllerI, class AgentI>
class VPL_EXPORT NUVSimPlayController : public ControllerI {
 public:
  typedef NUVVar<AgentI> AgentVar;
  typedef NUVVar<ControllerI> ControllerVar;

  NUVSimPlayController()
      : _Played(0),
        _pInitialization(NUVNew<NUVSimPlayInitialization>()),
        _State(StateIdle),
        _InIteration(0),
        _StopRequested(0),
        _AgentCleaned(0) {}
  ~NUVSimPlayController() override {
    Detach();
    if (_pInitialization) _pInitialization->Release();
  }

  long Iterate() override {
    if (_InIteration) return E_UNEXPECTED;
    if (!_Agent) return E_FAIL;
    if (_State == StateOver || !HasValues()) return S_FALSE;
    // The local handle keeps the agent alive even if it detaches itself.
    AgentVar agent = _Agent;
    _InIteration = 1;
    bool first = _State == StateIdle;
    if (first) {
      _Played = 0;
      _State = StatePlaying;
      Notify(NUVISimMasterObservation::NUVSimPhaseLoad);
      Notify(NUVISimMasterObservation::NUVSimPhasePreApplyInitialState);
      BeginPlay(agent);
      Notify(NUVISimMasterObservation::NUVSimPhasePostApplyInitialState);
      Notify(NUVISimMasterObservation::NUVSimPhaseActivated);
    }
    NUVSimValue value;
    bool last = NextValue(agent, first, value);
    agent->SetCurrentSimValue(value);
    agent->Compute();
    agent->Commit();
    SimLoopStatus loop = SimLoopContinue;
    agent->GetLoopStatus(loop);
    _Current = value;
    ++_Played;
    if (!!_MasterObservation) {
      NUVISimMasterObservation_var coordinator = _MasterObservation;
      coordinator->UpdateNotifications(value, NotifiedComputeStatus(agent), loop);
      coordinator->DispatchNotifications(NUVISimMasterObservation::NUVSimPhaseCycle);
    }
    _InIteration = 0;
    bool stopped = loop == SimLoopStop || _StopRequested;
    StepPlayed(loop, last, stopped);
    if (stopped || last) Finish();
    return S_OK;
  }

  long CanContinue(unsigned char& ioContinue) override {
    ioContinue = (!!_Agent && _State != StateOver && HasValues()) ? 1 : 0;
    return S_OK;
  }

  long GetInitialization(NUVISimInitialization_var& oInitialization) override {
    oInitialization = _pInitialization;
    return _pInitialization ? S_OK : E_FAIL;
  }

  long SetControlledAgent(AgentVar& iAgent) override {
    if (_InIteration) return E_UNEXPECTED;
    if (NUVListValVar<AgentI>::Same(iAgent.get(), _Agent.get())) return S_OK;
    AgentVar agent = iAgent;  // the caller's handle may change meanwhile
    Detach();
    _Agent = agent;
    _State = StateIdle;
    _Played = 0;
    _Current = NUVSimValue();
    _AgentCleaned = 0;
    PlayReset(false);
    if (!!agent) {
      ControllerVar self(this);
      agent->SetSimulationController(self, 1);
    }
    return S_OK;
  }

  long GetControlledAgent(AgentVar& oAgent) override {
    oAgent = _Agent;
    return S_OK;
  }

  long GetCurrentSimValue(NUVSimValue& oValue) override {
    oValue = _Current;
    return S_OK;
  }

  long Stop() override {
    if (_InIteration) {
      _StopRequested = 1;
    } else if (_State != StateOver) {
      Stopping();
      if (_State == StatePlaying) Finish();
      _State = StateOver;
    }
    return S_OK;
  }

  long Rewind() override {
    if (_InIteration) return E_UNEXPECTED;
    if (_State == StatePlaying) Finish();
    _State = StateIdle;
    _Played = 0;
    _Current = NUVSimValue();
    _StopRequested = 0;
    PlayReset(true);
    if (_AgentCleaned && !!_Agent) {
      // The agent is handed the controller again to rebuild what Clean released.
      _AgentCleaned = 0;
      AgentVar agent = _Agent;
      ControllerVar self(this);
      agent->SetSimulationController(self, 1);
    }
    return S_OK;
  }

  // The coordinator whose subscribers hear of this controller's plays; null
  // for none. Held with a reference: whoever sets it clears it before
  // letting the controller go, since the coordinator's structured agents
  // hold the controller in turn.
  void SetMasterObservation(NUVISimMasterObservation* iCoordinator) {
    _MasterObservation = iCoordinator;
  }

  // The real-time suppression option handed to the agents at Init.
  void SetNoRealTime(unsigned char iNoRealTime) {
    if (!_pInitialization) return;
    NUVSimOptions options = _pInitialization->Options();
    options.SetNoRealTime(iNoRealTime);
    _pInitialization->SetOptions(options);
  }

 protected:
  enum PlayState { StateIdle, StatePlaying, StateOver };

  // False while there is nothing to play (Iterate answers S_FALSE).
  virtual bool HasValues() const { return true; }
  // The first Iterate of a play, before its first value.
  virtual void BeginPlay(AgentVar& iAgent) {
    iAgent->Init();
    iAgent->Activate();
  }
  // The value of the step at `_Played` (0 = first); true when it is the last.
  virtual bool NextValue(AgentVar& iAgent, bool iFirst, NUVSimValue& oValue) = 0;
  // After a step was played; play ends after it when `iLast` or `iStopped`.
  virtual void StepPlayed(SimLoopStatus, bool /*iLast*/, bool /*iStopped*/) {}
  // Stop ends a play that was not already over.
  virtual void Stopping() {}
  // A new agent was attached (`iRewind` false) or the controller rewound.
  virtual void PlayReset(bool /*iRewind*/) {}
  // The compute status stamped on the notifications of a step.
  virtual SimComputeStatus NotifiedComputeStatus(AgentVar&) { return SimComputeOK; }

  PlayState State() const { return _State; }

  AgentVar _Agent;
  NUVSimValue _Current;
  int _Played;

 private:
  void Finish() {
    // The state changes first: the agent's calls below may query it.
    bool wasPlaying = _State == StatePlaying;
    _State = StateOver;
    _StopRequested = 0;
    if (!wasPlaying || !_Agent) return;
    AgentVar agent = _Agent;
    _AgentCleaned = 1;
    agent->Deactivate();
    Notify(NUVISimMasterObservation::NUVSimPhaseDeactivated);
    agent->Clean();
    Notify(NUVISimMasterObservation::NUVSimPhaseClean);
  }

  void Notify(NUVISimMasterObservation::NUVSimNotificationPhase iPhase) {
    if (!_MasterObservation) return;
    NUVISimMasterObservation_var coordinator = _MasterObservation;  // a subscriber may clear it
    coordinator->DispatchNotifications(iPhase);
  }

  void Detach() {
    if (!_Agent) return;
    if (_State == StatePlaying) Finish();
    AgentVar old = _Agent;
    _Agent = nullptr;
    ControllerVar none;
    old->SetSimulationController(none, 0);
  }

  NUVISimMasterObservation_var _MasterObservation;
  NUVSimPlayInitialization* _pInitialization;  // one reference
  PlayState _State;
  unsigned char _InIteration;
  unsigned char _StopRequested;
  // The agent went through Clean since it was last handed the controller.
  unsigned char _AgentCleaned;
};

#endif
