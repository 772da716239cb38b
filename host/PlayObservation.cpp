#include "PlayObservation.h"

#include <cstdio>

#include "HeadlessFrame.h"
#include "NUVApplication.h"
#include "NUVFrmEditor.h"
#include "NUVGetPLMStateSynchronousEventDispatcher.h"
#include "NUVISimAgentKeyFrame.h"
#include "NUVISimAgentNegociatedTime.h"
#include "NUVPLMStateSynchronousEventDispatcher.h"
#include "NUVSimMasterObservation.h"
#include "NUVSimNotification.h"
#include "NUVViewer.h"
#include "NotifyingProbe.h"

NUV_IMPLEMENT_CLASS(PlayObservation, NUVEventSubscriber, "velloran-play")

namespace {

const char* const kEvents[] = {
    NUVSimMasterObservation::NUVSIM_LOAD(), NUVSimMasterObservation::NUVSIM_PREAPPLYINITIALSTATE(),
    NUVSimMasterObservation::NUVSIM_POSTAPPLYINITIALSTATE(),
    NUVSimMasterObservation::NUVSIM_ACTIVATED(), NUVSimMasterObservation::NUVSIM_CYCLE(),
    NUVSimMasterObservation::NUVSIM_DEACTIVATED(), NUVSimMasterObservation::NUVSIM_CLEAN()};

// Loop turns to wait for the viewer's update after a redraw: a display
// reports its frame at its next refresh tick, a few turns at most.
const int kTurnsForAnUpdate = 1000;

}  // namespace

PlayObservation::PlayObservation(bool verbose) : _Verbose(verbose) {}

PlayObservation::~PlayObservation() { Detach(); }

bool PlayObservation::Attach(NUVFrmEditor* editor) {
  // The editor is the current one: its coordinator is also the default
  // context's, the one that observes on viewer updates, and watches its viewer.
  NUVSimMasterObservation::Get(_Coordinator, NUVBaseUnknown_var(editor), 1);
  if (!_Coordinator) {
    std::fprintf(stderr, "velloran-play: there is no master observation coordinator\n");
    return false;
  }
  _pPublisher = _Coordinator->GetImpl(0);
  for (const char* event : kEvents) {
    AddCallback(_pPublisher, event, NUVSubscriberMethodCast(&PlayObservation::OnEvent), nullptr);
  }
  _pProbe = new NotifyingProbe(_Coordinator.get());
  NUVISimAgentKeyFrame_var probe(_pProbe);
  const long added = _Coordinator->AddAgent(probe, 0, 1);
  if (added == S_OK) _Interactive.push_back(_pProbe);
  else _pProbe->Release();
  // The dynamic interactive agent, created by name as the application does.
  NUVISimAgentNegociatedTime_var dynamic;
  _Coordinator->AddAgent(NUVString("TavrinDynInteractiveAgent"), dynamic, 0, 1);
  auto* basic = !dynamic ? nullptr : dynamic_cast<NUVSimBasicAgent*>(dynamic->GetImpl(0));
  if (basic) {
    basic->AddRef();
    _Interactive.push_back(basic);
  }
  if (added != S_OK || !basic) {
    std::fprintf(stderr, "velloran-play: the coordinator refused an interactive agent\n");
    _pProbe = nullptr;
    Detach();
    return false;
  }
  return true;
}

void PlayObservation::Detach() {
  for (NUVSimBasicAgent* agent : _Interactive) {
    NUVISimAgentKeyFrame_var handle(agent);
    if (!!_Coordinator) _Coordinator->RemoveAgent(handle);
    agent->Release();
  }
  _Interactive.clear();
  _pProbe = nullptr;
  if (_pPublisher) RemoveCallbacksOn(_pPublisher, nullptr, nullptr);
  _pPublisher = nullptr;
  _Coordinator = nullptr;
}

void PlayObservation::OnEvent(const char* event, void*, NUVNotification* notification, void*,
                              int) {
  ++_Heard;
  if (!_Verbose) return;
  auto* n = static_cast<NUVSimNotification*>(notification);
  if (!n) {
    std::printf("  notification %s\n", event);
    return;
  }
  NUVSimValue value;
  SimComputeStatus compute = SimComputeOK;
  SimLoopStatus loop = SimLoopUnset;
  n->GetValue(value);
  n->GetComputeStatus(compute);
  n->GetLoopStatus(loop);
  std::printf("  notification %s at %.3f, compute status %d, loop status %d\n", event,
              value.GetValue(), static_cast<int>(compute), static_cast<int>(loop));
}

void PlayObservation::OnViewerUpdate(const char*, void*, NUVNotification*, void*, int) {
  ++_ViewerUpdates;
}

bool PlayObservation::DragAndObserve(NUVApplication& app, HeadlessFrame& frame) {
  if (!_Coordinator || !_pProbe) return false;
  NUVPLMStateSynchronousEventDispatcher* monitor =
      NUVGetPLMStateSynchronousEventDispatcher::GetPLMStateSynchronousEventDispatcher();
  if (!monitor) {
    std::fprintf(stderr, "velloran-play: the PLM state monitor has no event dispatcher\n");
    return false;
  }
  NUVViewer* viewer = frame.FirstViewer();
  const int id = AddCallback(viewer, NUVViewer::VIEWER_UPDATE(),
                             NUVSubscriberMethodCast(&PlayObservation::OnViewerUpdate), nullptr);
  std::vector<int> committedBefore;
  for (NUVSimBasicAgent* agent : _Interactive) committedBefore.push_back(agent->GetStepCount());
  const int computedBefore = _pProbe->Computed();
  const int refusedBefore = _pProbe->Refused(), heardBefore = _Heard;

  // The object the user drags: an occurrence of the product, moved and let go.
  auto* occurrence = new NUVBaseUnknown;
  std::printf("interactive: object dragged to a new place between two plays\n");
  monitor->OccurrenceMoved(occurrence);
  occurrence->Release();
  // The application redraws after a move; the viewers report the new frame
  // on a later turn of the loop, and their update runs the observation.
  frame.RedrawAll();
  const int updatesBefore = _ViewerUpdates;
  for (int turn = 0; turn < kTurnsForAnUpdate && _ViewerUpdates == updatesBefore; ++turn) {
    app.RunOneTurn(50);
  }
  RemoveCallback(viewer, id);

  const bool updated = _ViewerUpdates != updatesBefore;
  std::printf("interactive observation%s:\n", updated ? "" : " (no viewer update came)");
  bool once = _pProbe->Computed() - computedBefore == 1;
  for (size_t i = 0; i < _Interactive.size(); ++i) {
    const int committed = _Interactive[i]->GetStepCount() - committedBefore[i];
    std::printf("  agent %s committed %d time(s)\n",
                _Interactive[i]->GetMetaObject()->GetClassName(), committed);
    once = once && committed == 1;
  }
  std::printf("  notifications posted meanwhile: %d refused, %d dispatched\n",
              _pProbe->Refused() - refusedBefore, _Heard - heardBefore);
  if (!updated || !once) {
    std::fprintf(stderr, "velloran-play: the move did not lead to one interactive observation\n");
    return false;
  }
  return true;
}
