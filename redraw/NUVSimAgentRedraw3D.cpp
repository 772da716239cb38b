#include "NUVSimAgentRedraw3D.h"

#include <algorithm>
#include <iterator>

#include "NUVCallbackManager.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVISimInitialization.h"
#include "NUVSimComputeMessage.h"
#include "NUVSimDrawOrContinueMessage.h"
#include "NUVSimExecutionOptionsSettings.h"
#include "NUVSimMessageQueue.h"
#include "NUVSimOptions.h"
#include "NUVSimRaiseError.h"
#include "NUVSimVizServices.h"
#include "NUVSimWindowServices.h"
#include "NUVViewer.h"
#include "VelloranModule.h"

NUV_IMPLEMENT_CLASS(NUVSimAgentRedraw3D, NUVBaseUnknown, VELLORAN_LIBRARY_NAME)

namespace {

// Built when the library loads, destroyed when it unloads.
NUVSimValue* g_pSmallestInterval = nullptr;
NUVSimValue* g_pIntervalCeiling = nullptr;

typedef NUVSimExecutionOptionsSettings Settings;

// The order of values: whole part, then fine part, both signed.
inline bool Less(const NUVSimValue& a, const NUVSimValue& b) {
  return a.GetWholePart() < b.GetWholePart() ||
         (a.GetWholePart() == b.GetWholePart() && a.GetFinePart() < b.GetFinePart());
}
inline bool Equal(const NUVSimValue& a, const NUVSimValue& b) {
  return a.GetWholePart() == b.GetWholePart() && a.GetFinePart() == b.GetFinePart();
}

// The number of steps s that move past a non-negative distance d: the whole
// part of d / s, plus one.
NUVSimValue StepCount(const NUVSimValue& d, const NUVSimValue& s) {
  NUVSimValue q = d;
  q /= s;
  return NUVSimValue(static_cast<double>(q.GetWholePart() + 1));
}

// s multiplied by count(d, s).
NUVSimValue Steps(const NUVSimValue& d, const NUVSimValue& s) {
  NUVSimValue move = s;
  move *= StepCount(d, s);
  return move;
}

const NUVSimValue& NoValue() {
  static const NUVSimValue noValue(-1.0);
  return noValue;
}

std::pair<long long, int> Key(const NUVSimValue& v) { return {v.GetWholePart(), v.GetFinePart()}; }
NUVSimValue FromKey(const std::pair<long long, int>& k) { return NUVSimValue(k.first, k.second); }

}  // namespace

void NUVSimAgentRedraw3D::BuildConstants() {
  if (!g_pSmallestInterval) g_pSmallestInterval = new NUVSimValue(0, 1);
  if (!g_pIntervalCeiling) g_pIntervalCeiling = new NUVSimValue(4611686018427387904.0);
}

void NUVSimAgentRedraw3D::DestroyConstants() {
  delete g_pSmallestInterval;
  g_pSmallestInterval = nullptr;
  delete g_pIntervalCeiling;
  g_pIntervalCeiling = nullptr;
}

NUVSimAgentRedraw3D::NUVSimAgentRedraw3D()
    : _Start(),
      _End(NUVSimValue::DblMax),
      _Interval(0.1),
      _NextRedraw(),
      _Proposed(),
      _Restart(-1.0),
      _Current(),
      _LastObserved(-1.0),
      _FrameState(FrameNone),
      _StepCount(0),
      _ForceInterval(0),
      _NegociatedTime(0),
      _WithGraphics(0),
      _IntervalOff(0),
      _RealTimeStep(),
      _LateCount(0),
      _NoRealTime(0),
      _ComputeNext(0),
      _SpeedFactor(1.0),
      _InternalInterval(),
      _pDrawMessage(nullptr),
      _pComputeMessage(nullptr),
      _ReplayCallback(0),
      _pReplayViewer(nullptr) {
  _InternalInterval = _Interval;
  _InternalInterval *= _SpeedFactor;
}

NUVSimAgentRedraw3D::~NUVSimAgentRedraw3D() {
  if (_pDrawMessage) {
    _pDrawMessage->Release();
    _pDrawMessage = nullptr;
  }
  if (_pComputeMessage) {
    _pComputeMessage->Release();
    _pComputeMessage = nullptr;
  }
  if (_pReplayViewer && _ReplayCallback != 0) {
    ::RemoveCallback(this, _pReplayViewer, _ReplayCallback);
  }
  _pReplayViewer = nullptr;
}

// ---- Attachment and lifecycle -------------------------------------------

template <class ControllerVar>
long NUVSimAgentRedraw3D::CreateMessages(const ControllerVar& controller) {
  if (!controller) return S_OK;
  if (!_WithGraphics) return S_OK;  // an agent without graphics has no messages
  if (!_pComputeMessage) {
    _pComputeMessage = NUVNew<NUVSimComputeMessage>(ControllerVar(controller));
    if (!_pComputeMessage) return E_FAIL;
  }
  if (_pDrawMessage) return S_OK;
  NUVFrmEditor* editor = NUVFrmEditor::GetCurrentEditor();
  NUVFrmLayout* layout = NUVFrmLayout::GetCurrentLayout();
  _pDrawMessage = NUVNew<NUVSimDrawOrContinueMessage>(layout, editor, _pComputeMessage);
  if (!_pDrawMessage) {
    _pComputeMessage->Release();
    _pComputeMessage = nullptr;
    return E_FAIL;
  }
  return S_OK;
}

long NUVSimAgentRedraw3D::SetSimulationController(NUVISimControllerKeyFrame_var& controller,
                                                  unsigned char) {
  _KeyFrameController = controller;
  Clean();
  return CreateMessages(controller);
}

long NUVSimAgentRedraw3D::SetSimulationController(NUVISimControllerNegociatedTime_var& controller,
                                                  unsigned char) {
  _NegociatedTimeController = controller;
  Clean();
  _NegociatedTime = 1;
  return CreateMessages(controller);
}

long NUVSimAgentRedraw3D::GetSimulationController(NUVISimControllerKeyFrame_var& controller) {
  controller = _KeyFrameController;
  return S_OK;
}

long NUVSimAgentRedraw3D::GetSimulationController(
    NUVISimControllerNegociatedTime_var& controller) {
  controller = _NegociatedTimeController;
  return S_OK;
}

long NUVSimAgentRedraw3D::Clean() {
  if (_pDrawMessage) {
    _pDrawMessage->RemoveDisplayCallbacks();
    _pDrawMessage->Release();
    _pDrawMessage = nullptr;
  }
  if (_pComputeMessage) {
    _pComputeMessage->Release();
    _pComputeMessage = nullptr;
  }
  return S_OK;
}

long NUVSimAgentRedraw3D::Init() {
  _Current = _Start;
  _NextRedraw = _Start;
  _Proposed = NUVSimValue(0.0);
  _Restart = NUVSimValue(-1.0);
  NUVISimInitialization_var initialization;
  if (!!_NegociatedTimeController) {
    _NegociatedTimeController->GetInitialization(initialization);
  } else if (!!_KeyFrameController) {
    _KeyFrameController->GetInitialization(initialization);
  }
  if (!!initialization) {
    NUVSimOptions options;
    initialization->GetOptions(options);
    _NoRealTime = options.GetNoRealTime();
  }
  return S_OK;
}

long NUVSimAgentRedraw3D::ReInitData(const SimReInitParameter&) {
  _Current = _Start;
  _NextRedraw = _Start;
  _Proposed = NUVSimValue(0.0);
  _FrameState = FrameObserve;
  _Restart = NUVSimValue(-1.0);
  _LastObserved = NUVSimValue(-1.0);
  _StepCount = Settings::GetUpdateRate() - 1;
  return S_OK;
}

long NUVSimAgentRedraw3D::Reset() {
  _Restart = _Proposed;
  return S_OK;
}

long NUVSimAgentRedraw3D::Activate() {
  if (!_WithGraphics || !_pDrawMessage) return S_OK;
  _RefreshWatch.reset();
  _RefreshWatch.start();
  _RealTimeWatch.reset();
  _RealTimeWatch.start();
  _RealTimeStep.SetValue(0.0);
  _LateCount = 0;
  _FrameState = FrameNone;
  if (_pReplayViewer && _ReplayCallback == 0) {
    _ReplayCallback = ::AddCallback(this, _pReplayViewer, NUVViewer::VIEWER_UPDATE(),
                                    NUVSubscriberMethodCast(&NUVSimAgentRedraw3D::ReplayCB),
                                    nullptr);
  }
  return S_OK;
}

long NUVSimAgentRedraw3D::Deactivate() {
  if (_WithGraphics && _pDrawMessage) {
    _RefreshWatch.reset();
    _RealTimeWatch.reset();
  }
  _ForceInterval = 0;
  if (_pReplayViewer && _ReplayCallback != 0) {
    ::RemoveCallback(this, _pReplayViewer, _ReplayCallback);
    _ReplayCallback = 0;
  }
  return S_OK;
}

long NUVSimAgentRedraw3D::SetWithGraphics(unsigned char withGraphics) {
  _WithGraphics = withGraphics;
  if (NUVSimVizServices::IsKTRReplaySynced() && _WithGraphics && !_pReplayViewer) {
    NUVListPtrNUVFrmWindow windows = NUVSimWindowServices::GetWindowList(nullptr, nullptr);
    if (windows.Size() >= 1 && windows[1]) _pReplayViewer = windows[1]->GetViewer();
  }
  return S_OK;
}

void NUVSimAgentRedraw3D::ReplayCB(const char*, void*, NUVNotification*, void*, int) {
  if (NUVSimMessageQueue* queue = NUVSimMessageQueue::GetInstance()) queue->ExecuteMessage(0);
}

// ---- Constants and configuration ----------------------------------------

long NUVSimAgentRedraw3D::SetCurrentMode(int) { return S_OK; }
long NUVSimAgentRedraw3D::Compute() { return S_OK; }
long NUVSimAgentRedraw3D::DispatchModeParams(int, const NUVSimValue&, const NUVSimValue&,
                                             const NUVSimValue&, const NUVSimValue&,
                                             unsigned char, unsigned char) {
  return S_OK;
}
long NUVSimAgentRedraw3D::GetModeParams(int, unsigned char& defined, NUVSimValue&, NUVSimValue&,
                                        NUVSimValue&, NUVSimValue&, unsigned char& flag,
                                        unsigned char& enabled) {
  defined = 0;
  flag = 0;
  enabled = 1;
  return S_OK;
}
long NUVSimAgentRedraw3D::GetType(SimAgentType& type) {
  type = static_cast<SimAgentType>(20);
  return S_OK;
}
long NUVSimAgentRedraw3D::GetKFType(SimAgentType& type) { return GetType(type); }
long NUVSimAgentRedraw3D::GetNTType(SimAgentType& type) { return GetType(type); }
long NUVSimAgentRedraw3D::GetSubPriority(unsigned int& subPriority) {
  subPriority = 50;
  return S_OK;
}
long NUVSimAgentRedraw3D::GetPriority(SimAgentPriority& priority) {
  priority = static_cast<SimAgentPriority>(0);
  return S_OK;
}
long NUVSimAgentRedraw3D::GetComputeStatus(SimComputeStatus& status) {
  status = static_cast<SimComputeStatus>(0);
  return S_OK;
}
long NUVSimAgentRedraw3D::GetEnabled(unsigned char& enabled) {
  enabled = 1;
  return S_OK;
}
long NUVSimAgentRedraw3D::SetType(SimAgentType) { return S_OK; }
long NUVSimAgentRedraw3D::SetEnabled(unsigned char) { return S_OK; }
long NUVSimAgentRedraw3D::SetPriority(SimAgentPriority) { return S_OK; }

long NUVSimAgentRedraw3D::SetStartEnd(const NUVSimValue& start, const NUVSimValue& end) {
  _Start = start;
  _End = end;
  return S_OK;
}

long NUVSimAgentRedraw3D::GetStartEnd(NUVSimValue& start, NUVSimValue& end) {
  start = _Start;
  end = _End;
  return S_OK;
}

long NUVSimAgentRedraw3D::ForceInterval(unsigned char force) {
  _ForceInterval = force;
  return S_OK;
}

long NUVSimAgentRedraw3D::GetInterval(NUVSimValue& interval, unsigned char internal) {
  if (Settings::GetAdaptiveClockIntervalYesOrNo()) {
    interval.SetValue(NUVSimValue::DblMax);
    return S_OK;
  }
  return GetInternalInterval(interval, internal);
}

long NUVSimAgentRedraw3D::GetInternalInterval(NUVSimValue& interval, unsigned char internal) {
  if (_IntervalOff && !_ForceInterval) {
    interval.SetValue(NUVSimValue::DblMax);
  } else {
    interval = internal ? _InternalInterval : _Interval;
  }
  return S_OK;
}

long NUVSimAgentRedraw3D::GetProposed(NUVSimValue& value) {
  value = _Proposed;
  return S_OK;
}

long NUVSimAgentRedraw3D::LastFrameObserved(NUVSimValue& value) {
  value = _LastObserved;
  return S_OK;
}

// ---- The per-step cycle --------------------------------------------------

long NUVSimAgentRedraw3D::SetCurrentSimValue(const NUVSimValue& value) {
  if (_ComputeNext) return S_OK;
  _Current = value;
  if (!_NegociatedTime) _FrameState = FrameNone;
  if (!_NoRealTime && _NegociatedTime && Settings::GetRealTimeYesOrNo()) {
    if (Equal(_Current, _Proposed)) _FrameState = FrameDrawRealTime;
    return S_OK;
  }
  bool ownStep = true;
  if (_NegociatedTime && !Equal(_Current, _Proposed) && Settings::GetMasterClockYesOrNo()) {
    ownStep = false;
  }
  const unsigned char sync = Settings::GetSynchronousRefresh();
  const unsigned char updates = Settings::GetGraphicsUpdatesYesOrNo();
  if (ownStep) {
    _FrameState = FramePending;
    if (!_WithGraphics || !_pDrawMessage) {
      _FrameState = FrameObserve;
    } else if (sync) {
      const int rate = Settings::GetUpdateRate();
      ++_StepCount;
      if (_StepCount >= rate) {
        _StepCount = 0;
        _FrameState = updates ? FrameDrawSynchronous : FrameObserve;
      }
    }
  }
  if (sync) return S_OK;
  if (_FrameState == FramePending || _FrameState == FrameNone) {
    if (_RefreshWatch.read() > static_cast<double>(Settings::GetUpdateTime())) {
      _RefreshWatch.reset();
      _RefreshWatch.start();
      if (_FrameState == FrameNone) {
        if (updates) _FrameState = FrameDrawOnly;
      } else {
        _FrameState = updates ? FrameDrawForced : FrameObserve;
      }
    }
  }
  return S_OK;
}

long NUVSimAgentRedraw3D::Commit() {
  _ComputeNext = 0;
  const bool drawing = _FrameState >= FrameDrawSynchronous && _FrameState <= FrameDrawForced;
  if (drawing && _WithGraphics && _pDrawMessage) _pDrawMessage->SetDrawable(1);
  if (_FrameState >= FrameObserve && _FrameState <= FramePending) _LastObserved = _Current;
  if (_WithGraphics && _pDrawMessage) _pDrawMessage->Post();
  return S_OK;
}

long NUVSimAgentRedraw3D::GetLoopStatus(SimLoopStatus& status) {
  status = static_cast<SimLoopStatus>(1);
  if (_LateCount > 10) {
    status = static_cast<SimLoopStatus>(3);
    NUVSimRaiseError::RaiseSimulationError("ERR_0001", "VelloranAgentError",
                                           static_cast<NUVErrorType>(2));
    return S_OK;
  }
  if (_WithGraphics && _pDrawMessage) _pDrawMessage->Post();
  return S_OK;
}

long NUVSimAgentRedraw3D::ComputeNextIteration(unsigned int on) {
  _ComputeNext = on != 0 ? 1 : 0;
  return S_OK;
}

long NUVSimAgentRedraw3D::GetNextProposedValue(NUVSimValue& result) {
  _FrameState = FrameNone;
  const NUVSimValue zero(0.0);
  bool realTime = false;
  if (Less(zero, _Restart)) {
    _NextRedraw = _Restart;
    _Restart = NoValue();
    _Proposed = _NextRedraw;
  } else {
    realTime = !_NoRealTime && Settings::GetRealTimeYesOrNo();
    if (!Less(_Current, _NextRedraw)) {
      if (_WithGraphics && realTime && !_ForceInterval) {
        const double factor = Settings::GetRealTimeFactor();
        _RealTimeWatch.stop();
        NUVSimValue advance(_RealTimeWatch.read() * factor);
        if (Less(_RealTimeStep, advance)) {
          ++_LateCount;
        } else {
          _LateCount = 0;
        }
        _RealTimeStep = advance;
        _NextRedraw = _Current;
        _NextRedraw += _RealTimeStep;
        _RealTimeWatch.reset();
        _RealTimeWatch.start();
      } else {
        _NextRedraw += _InternalInterval;
        if (Less(_NextRedraw, _Current)) {
          NUVSimValue behind = _Current;
          behind -= _NextRedraw;
          _NextRedraw += Steps(behind, _InternalInterval);
        }
      }
      if (Less(_End, _NextRedraw)) _NextRedraw = _End;
    }
    if (Settings::GetMasterClockYesOrNo() || realTime) _Proposed = _NextRedraw;
  }
  // Also after a repeat: without an interval the agent asks for no step.
  if (_IntervalOff && !_ForceInterval) _Proposed.SetValue(NUVSimValue::DblMax);
  SortScheduled();
  if (_ScheduledHead == _Scheduled.size()) {
    result = Settings::GetMasterClockYesOrNo() ? _Proposed : NoValue();
  } else {
    NUVSimValue next(NUVSimValue::DblMax);
    while (_ScheduledHead < _Scheduled.size()) {
      NUVSimValue first = FromKey(_Scheduled[_ScheduledHead]);
      if (Less(_Current, first)) {
        next = first;
        break;
      }
      ++_ScheduledHead;  // passed for good
    }
    if (!(Less(_Proposed, next) && Settings::GetMasterClockYesOrNo())) _Proposed = next;
    result = _Proposed;
  }
  _ForceInterval = 0;
  return S_OK;
}

// ---- Frame state and requests --------------------------------------------

long NUVSimAgentRedraw3D::IsFrameDrawable(unsigned char& drawable) {
  drawable = (_FrameState == FrameNone || _FrameState == FramePending) ? 0 : 1;
  return S_OK;
}

long NUVSimAgentRedraw3D::IsFrameDrawing(unsigned char& drawing) {
  drawing = (_FrameState == FrameNone || _FrameState == FrameObserve ||
             _FrameState == FramePending)
                ? 0
                : 1;
  return S_OK;
}

long NUVSimAgentRedraw3D::IsFrameObservable(unsigned char& observable) {
  observable = (_FrameState == FrameNone || _FrameState == FrameDrawOnly) ? 0 : 1;
  return S_OK;
}

long NUVSimAgentRedraw3D::RequestObservation() {
  if (_FrameState == FrameNone) _FrameState = FrameObserve;
  return S_OK;
}

long NUVSimAgentRedraw3D::RequestRedraw() {
  if (_FrameState != FrameNone && _FrameState != FrameObserve) return S_OK;
  if (_NegociatedTime && Settings::GetRealTimeYesOrNo()) {
    _FrameState = FrameObserve;
  } else if (Settings::GetSynchronousRefresh() && Settings::GetGraphicsUpdatesYesOrNo()) {
    ForceRedraw();
  } else {
    _FrameState = FrameObserve;
  }
  return S_OK;
}

long NUVSimAgentRedraw3D::ForceRedraw() {
  _FrameState = FrameDrawForced;
  if (_WithGraphics && _pDrawMessage) {
    _pDrawMessage->SetDrawable(1);
  } else {
    _FrameState = FrameObserve;
  }
  return S_OK;
}

long NUVSimAgentRedraw3D::CancelRedraw() {
  _FrameState = FrameNone;
  return S_OK;
}

long NUVSimAgentRedraw3D::ForceCompute() {
  if (!_pComputeMessage) return S_OK;
  if (_WithGraphics) {
    _pComputeMessage->ForcePost();
    // A posted draw-or-continue message posts the compute message itself
    // when it continues.
    if (_pDrawMessage && _pDrawMessage->IsPosted()) return S_OK;
    _pComputeMessage->Post();
  } else {
    _pComputeMessage->Execute(0);
  }
  return S_OK;
}

// ---- Scheduled redraws ----------------------------------------------------

long NUVSimAgentRedraw3D::ScheduleRedraw(const NUVSimValue& value) {
  if (Less(NUVSimValue(), value)) _Pending.push_back(Key(value));
  return S_OK;
}

void NUVSimAgentRedraw3D::SortScheduled() {
  if (_Pending.empty()) {
    // Drop the passed values once they are the larger part of the list.
    if (_ScheduledHead > 1024 && _ScheduledHead * 2 > _Scheduled.size()) {
      _Scheduled.erase(_Scheduled.begin(), _Scheduled.begin() + _ScheduledHead);
      _ScheduledHead = 0;
    }
    return;
  }
  std::sort(_Pending.begin(), _Pending.end());
  std::vector<ScheduledKey> merged;
  merged.reserve(_Scheduled.size() - _ScheduledHead + _Pending.size());
  std::merge(_Scheduled.begin() + _ScheduledHead, _Scheduled.end(), _Pending.begin(),
             _Pending.end(), std::back_inserter(merged));
  merged.erase(std::unique(merged.begin(), merged.end()), merged.end());
  _Scheduled.swap(merged);
  _ScheduledHead = 0;
  _Pending.clear();
}

int NUVSimAgentRedraw3D::GetScheduledCount() {
  SortScheduled();
  return static_cast<int>(_Scheduled.size() - _ScheduledHead);
}

long NUVSimAgentRedraw3D::GetNextScheduled(NUVSimValue& value) {
  SortScheduled();
  value = NoValue();
  auto next = std::upper_bound(_Scheduled.begin() + _ScheduledHead, _Scheduled.end(),
                               Key(_Current));
  if (next != _Scheduled.end()) value = FromKey(*next);
  return S_OK;
}

// ---- Interval and speed factor --------------------------------------------

template <class Store>
void NUVSimAgentRedraw3D::Rebase(Store store) {
  if (Less(_Current, _NextRedraw)) {
    NUVSimValue ahead = _NextRedraw;
    ahead -= _Current;
    _NextRedraw -= Steps(ahead, _InternalInterval);
  }
  store();
  _InternalInterval = _Interval;
  _InternalInterval *= _SpeedFactor;
  // A tiny speed factor can round the product to zero: the grid would stop
  // moving and propose values behind the current one.
  if (g_pSmallestInterval && Less(_InternalInterval, *g_pSmallestInterval)) {
    _InternalInterval = *g_pSmallestInterval;
  }
  if (Less(_NextRedraw, _Current)) {
    NUVSimValue behind = _Current;
    behind -= _NextRedraw;
    _NextRedraw += Steps(behind, _InternalInterval);
  }
}

long NUVSimAgentRedraw3D::SetInterval(const NUVSimValue& interval) {
  if (g_pSmallestInterval && Less(interval, *g_pSmallestInterval)) return E_FAIL;
  if (g_pIntervalCeiling && Less(*g_pIntervalCeiling, interval)) {
    _IntervalOff = 1;
    return S_OK;
  }
  if (Equal(interval, _Interval)) {
    _IntervalOff = 0;
    return S_OK;
  }
  Rebase([&] { _Interval = interval; });
  _IntervalOff = 0;
  return S_OK;
}

long NUVSimAgentRedraw3D::SetSpeedFactor(const NUVSimValue& factor) {
  if (!Less(NUVSimValue(), factor)) return S_OK;
  if (Equal(factor, _SpeedFactor)) return S_OK;
  Rebase([&] { _SpeedFactor = factor; });
  return S_OK;
}
