// NUVSimAgentRedraw3D: the simulation agent that paces the redrawing of the
// 3D viewers while a simulation plays.
//
//   NUVISimAgentNegociatedTime* agent = nullptr;
//   NUVInstantiateComponent("NUVSimAgentRedraw3D", IID_NUVISimAgentNegociatedTime, (void**)&agent);
//
// The engine drives it through NUVISimAgentKeyFrame and
// NUVISimAgentNegociatedTime (TIEs). Attached to a controller with graphics
// on, it owns the two messages of the play loop: a compute message that asks
// the controller for the next iteration, and a draw-or-continue message that
// redraws and continues once drawing has ended, or continues at once. At each
// step it decides the frame state: whether the step is observed and whether
// the viewers are redrawn, by synchronous refresh (every n-th step), timed
// refresh (once the update time has passed) or real-time play (the value the
// elapsed real time times a factor has reached). Under a negotiated-time
// controller it also proposes the next simulated value: the next point of its
// redraw grid, the real-time value, or the next scheduled redraw.
//
// The execution settings (NUVSimExecutionOptionsSettings) are read anew at
// every step; nothing is cached.
//
// Values are compared component by component: whole part, then fine part.
//
// Threading: user-interface thread only.
#ifndef NUVSimAgentRedraw3D_h
#define NUVSimAgentRedraw3D_h

#include <utility>
#include <vector>

#include "NUVBaseUnknown.h"
#include "NUVISimControllerKeyFrame.h"
#include "NUVISimControllerNegociatedTime.h"
#include "NUVSimValue.h"
#include "RWMStopwatch.h"
#include "SimAgentPriority.h"
#include "SimAgentType.h"
#include "SimComputeStatus.h"
#include "SimLoopStatus.h"
#include "SimReInitParameter.h"
#include "VelloranExport.h"

class NUVNotification;
class NUVSimComputeMessage;
class NUVSimDrawOrContinueMessage;
class NUVViewer;

class VELLORAN_EXPORT NUVSimAgentRedraw3D : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Frame states: what the agent decided for the current step.
  enum FrameState {
    FrameNone = 0,             // nothing to show
    FrameObserve = 1,          // observed, not redrawn by this agent
    FrameDrawSynchronous = 2,  // redrawn: the n-th own step of synchronous refresh
    FrameDrawOnly = 3,         // redrawn, not observed: refresh time passed on a foreign step
    FrameDrawRealTime = 4,     // redrawn: real-time play reached the proposed value
    FrameDrawForced = 5,       // redrawn: forced, or refresh time passed on an own step
    FramePending = 6           // own step observed, no redraw decided
  };

  NUVSimAgentRedraw3D();
  ~NUVSimAgentRedraw3D() override;

  // Agent operations, in the order of the class's table.
  virtual long Init();
  virtual long Clean();
  virtual long ReInitData(const SimReInitParameter& reason);
  virtual long SetCurrentSimValue(const NUVSimValue& value);
  virtual long SetCurrentMode(int mode);
  virtual long Compute();
  virtual long GetNextProposedValue(NUVSimValue& value);
  virtual long Reset();
  virtual long Activate();
  virtual long Deactivate();
  virtual long Commit();
  virtual long GetModeParams(int mode, unsigned char& defined, NUVSimValue& start,
                             NUVSimValue& end, NUVSimValue& step, NUVSimValue& other,
                             unsigned char& flag, unsigned char& enabled);
  virtual long DispatchModeParams(int mode, const NUVSimValue& start, const NUVSimValue& end,
                                  const NUVSimValue& step, const NUVSimValue& other,
                                  unsigned char flag, unsigned char enabled);
  virtual long SetSimulationController(NUVISimControllerNegociatedTime_var& controller,
                                       unsigned char attach);
  virtual long SetSimulationController(NUVISimControllerKeyFrame_var& controller,
                                       unsigned char attach);
  virtual long GetSimulationController(NUVISimControllerNegociatedTime_var& controller);
  virtual long GetSimulationController(NUVISimControllerKeyFrame_var& controller);
  virtual long ComputeNextIteration(unsigned int on);
  virtual long GetType(SimAgentType& type);
  virtual long GetKFType(SimAgentType& type);
  virtual long GetNTType(SimAgentType& type);
  virtual long GetSubPriority(unsigned int& subPriority);
  virtual long SetType(SimAgentType type);
  virtual long GetEnabled(unsigned char& enabled);
  virtual long SetEnabled(unsigned char enabled);
  virtual long GetPriority(SimAgentPriority& priority);
  virtual long SetPriority(SimAgentPriority priority);

  long GetLoopStatus(SimLoopStatus& status);
  long GetComputeStatus(SimComputeStatus& status);

  // Configuration and queries.
  long SetStartEnd(const NUVSimValue& start, const NUVSimValue& end);
  long GetStartEnd(NUVSimValue& start, NUVSimValue& end);
  long SetWithGraphics(unsigned char withGraphics);
  // E_FAIL below the smallest interval NUVSimValue(0, 1); above 2^62 the
  // interval is switched off.
  long SetInterval(const NUVSimValue& interval);
  // Non-positive factors are ignored. The pacing step, interval times
  // factor, is never below the smallest interval.
  long SetSpeedFactor(const NUVSimValue& factor);
  long ForceInterval(unsigned char force);
  long GetInterval(NUVSimValue& interval, unsigned char internal);
  long GetInternalInterval(NUVSimValue& interval, unsigned char internal);
  long GetProposed(NUVSimValue& value);
  long LastFrameObserved(NUVSimValue& value);

  // Redraws at given simulated values, kept ascending without duplicates.
  long ScheduleRedraw(const NUVSimValue& value);
  // The first scheduled value after the current one, or -1.0.
  long GetNextScheduled(NUVSimValue& value);

  long IsFrameDrawable(unsigned char& drawable);
  long IsFrameDrawing(unsigned char& drawing);
  long IsFrameObservable(unsigned char& observable);
  long RequestObservation();
  long RequestRedraw();
  long ForceRedraw();
  long CancelRedraw();
  // Restarts the play loop from outside.
  long ForceCompute();

  // For hosts and tests: the frame state and the owned messages.
  int GetFrameState() const { return _FrameState; }
  NUVSimDrawOrContinueMessage* GetDrawMessage() const { return _pDrawMessage; }
  NUVSimComputeMessage* GetComputeMessage() const { return _pComputeMessage; }
  int GetScheduledCount();

  static NUVBaseUnknown* CreateItself() { return nullptr; }

  // Module-wide constants, built when the library loads.
  VELLORAN_INTERNAL static void BuildConstants();
  VELLORAN_INTERNAL static void DestroyConstants();

 private:
  void ReplayCB(const char* event, void* publisher, NUVNotification* notification,
                void* clientData, int callbackId);
  // After attaching: the compute message on the controller and the
  // draw-or-continue message continuing it, when graphics are on.
  template <class ControllerVar>
  long CreateMessages(const ControllerVar& controller);
  // Keeps the pending redraw on a grid of the new step, anchored on the old.
  template <class Store>
  void Rebase(Store store);

  // Scheduled values as (whole, fine) pairs: ordered like the values.
  typedef std::pair<long long, int> ScheduledKey;
  // Merges values scheduled since the last read into the sorted list.
  void SortScheduled();

  NUVSimValue _Start;
  NUVSimValue _End;
  NUVSimValue _Interval;
  NUVSimValue _NextRedraw;
  NUVSimValue _Proposed;
  NUVSimValue _Restart;
  NUVSimValue _Current;
  NUVSimValue _LastObserved;
  int _FrameState;
  int _StepCount;
  RWMStopwatch _RealTimeWatch;
  RWMStopwatch _RefreshWatch;
  unsigned char _ForceInterval;
  unsigned char _NegociatedTime;
  unsigned char _WithGraphics;
  unsigned char _IntervalOff;
  NUVSimValue _RealTimeStep;
  int _LateCount;
  unsigned char _NoRealTime;
  unsigned char _ComputeNext;
  NUVSimValue _SpeedFactor;
  NUVSimValue _InternalInterval;
  NUVSimDrawOrContinueMessage* _pDrawMessage;
  NUVSimComputeMessage* _pComputeMessage;
  NUVISimControllerKeyFrame_var _KeyFrameController;
  NUVISimControllerNegociatedTime_var _NegociatedTimeController;
  int _ReplayCallback;
  NUVViewer* _pReplayViewer;
  // Ascending, no duplicates, each greater than the empty value, from
  // position _ScheduledHead on (values before it have been passed). New
  // values wait in _Pending, unsorted, until the list is next read: then
  // they are sorted once and merged, so scheduling n values and playing
  // through them costs n log n.
  std::vector<ScheduledKey> _Scheduled;
  size_t _ScheduledHead = 0;
  std::vector<ScheduledKey> _Pending;
};

#endif
