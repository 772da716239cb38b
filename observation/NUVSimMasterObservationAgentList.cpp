// The coordinator's registry access, construction and teardown, and its
// three subscriptions: editor closed, PLM state monitor, viewer update.
#include "NUVSimMasterObservationAgentList.h"

#include "NUVCallbackManager.h"
#include "NUVDictionary.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVGetPLMStateSynchronousEventDispatcher.h"
#include "NUVISimAgentObserver.h"
#include "NUVPLMStateOccurrenceMovedNotif.h"
#include "NUVSimMasterObservation.h"
#include "NUVSimNotification.h"
#include "NUVSimWindowServices.h"
#include "NUVViewer.h"
#include "VelloranModule.h"

NUV_IMPLEMENT_CLASS(NUVSimMasterObservationAgentList, NUVBaseUnknown, VELLORAN_LIBRARY_NAME)

NUVSimMasterObservationAgentList* NUVSimMasterObservationAgentList::GetInstance(
    NUVBaseUnknown_var iContext, unsigned char iCreate) {
  NUVISimMasterObservation_var coordinator;
  NUVSimMasterObservation::Get(coordinator, iContext, iCreate);
  if (!coordinator) return nullptr;
  // Null when the registry's coordinator is not one of this library's.
  return dynamic_cast<NUVSimMasterObservationAgentList*>(coordinator->GetImpl(0));
}

void NUVSimMasterObservationAgentList::ResetInstance(NUVBaseUnknown_var iContext) {
  NUVSimMasterObservation::Reset(iContext);
}

NUVSimMasterObservationAgentList::NUVSimMasterObservationAgentList()
    : _StructuredAgentNT(nullptr),
      _StructuredAgentKF(nullptr),
      _pViewer(nullptr),
      _ObservationRequested(0),
      _ObservationOn(1),
      _InteractiveOnly(1),
      _AcceptNotifications(1),
      _ViewerCallback(0),
      _StateMonitorCallback(0),
      _EditorClosedCallback(0),
      _PendingNotifications(0),
      _ClashSync(nullptr) {
  Initialize();
}

NUVSimMasterObservationAgentList::NUVSimMasterObservationAgentList(NUVFrmEditor* iEditor)
    : NUVSimMasterObservationAgentList() {
  SetEditor(iEditor);
}

void NUVSimMasterObservationAgentList::Initialize() {
  _ObservationRequested = 0;
  _ObservationOn = 1;
  _InteractiveOnly = 1;
  _AcceptNotifications = 1;
  _pViewer = nullptr;
  _ViewerCallback = 0;
  _StateMonitorCallback = 0;
  _EditorClosedCallback = 0;

  void* created = nullptr;
  NUVInstantiateComponent("NUVSimProbesStructuredAgentKF", IID_NUVISimAgentKeyFrame, &created);
  if (created) {
    auto* object = static_cast<NUVBaseUnknown*>(created);
    _StructuredAgentKF = object;
    object->Release();
  }
  created = nullptr;
  NUVInstantiateComponent("NUVSimProbesStructuredAgentNT", IID_NUVISimAgentNegociatedTime,
                          &created);
  if (created) {
    auto* object = static_cast<NUVBaseUnknown*>(created);
    _StructuredAgentNT = object;
    object->Release();
  }

  if (auto* dispatcher =
          NUVGetPLMStateSynchronousEventDispatcher::CreatePLMStateSynchronousEventDispatcher()) {
    _StateMonitorCallback =
        AddCallback(dispatcher, NUVPLMStateOccurrenceMovedNotif::ClassName(),
                    NUVSubscriberMethodCast(&NUVSimMasterObservationAgentList::StateMonitorCB),
                    nullptr);
  }

  ClearNotifications();

  NUVListPtrNUVFrmWindow windows = NUVSimWindowServices::GetWindowList(nullptr, nullptr);
  if (windows.Size() >= 1 && windows[1]) _pViewer = windows[1]->GetViewer();

  created = nullptr;
  NUVInstantiateComponent("RWMWDMSortImpl", IID_NUVISimSyncAgentSupport, &created);
  if (created) {
    auto* object = static_cast<NUVBaseUnknown*>(created);
    _ClashSync = object;
    object->Release();
  }
}

long NUVSimMasterObservationAgentList::SetEditor(NUVFrmEditor* iEditor) {
  if (_EditorClosedCallback != 0) return S_OK;
  NUVFrmLayout* layout = NUVFrmLayout::GetCurrentLayout();
  if (!layout) return S_OK;
  if (!iEditor) iEditor = NUVFrmEditor::GetCurrentEditor();
  _EditorClosedCallback =
      AddCallback(layout, NUVFrmEditor::EDITOR_CLOSE_ENDED(),
                  NUVSubscriberMethodCast(&NUVSimMasterObservationAgentList::OnEditorClosedCB),
                  iEditor);
  return S_OK;
}

void NUVSimMasterObservationAgentList::OnEditorClosedCB(const char*, void* iData,
                                                        NUVNotification*, void* iClientData,
                                                        int) {
  if (iData != iClientData) return;
  // Resetting may destroy this coordinator: nothing of it is touched after.
  NUVSimMasterObservation::Reset(NUVBaseUnknown_var(static_cast<NUVFrmEditor*>(iClientData)));
}

void NUVSimMasterObservationAgentList::StateMonitorCB(const char*, void*, NUVNotification*,
                                                      void*, int) {
  _ObservationRequested = _ViewerCallback != 0;
}

long NUVSimMasterObservationAgentList::RequestObservations() {
  _ObservationRequested = _ViewerCallback != 0;
  return S_OK;
}

long NUVSimMasterObservationAgentList::AddViewerCallback() {
  if (!_pViewer || _ViewerCallback != 0 || _InteractiveAgents.Size() == 0) return S_OK;
  _ViewerCallback =
      AddCallback(_pViewer, NUVViewer::VIEWER_UPDATE(),
                  NUVSubscriberMethodCast(&NUVSimMasterObservationAgentList::ApplyObservationsCB),
                  nullptr);
  return S_OK;
}

long NUVSimMasterObservationAgentList::RemoveViewerCallback(unsigned char iOnlyIfNoInteractive) {
  if (!_pViewer) return S_OK;
  if (iOnlyIfNoInteractive && _InteractiveAgents.Size() != 0) return S_OK;
  DropViewerCallback();
  return S_OK;
}

void NUVSimMasterObservationAgentList::DropViewerCallback() {
  if (!_pViewer || _ViewerCallback == 0) return;
  RemoveCallback(_pViewer, _ViewerCallback);
  _ViewerCallback = 0;
}

void NUVSimMasterObservationAgentList::ApplyObservationsCB(const char*, void*, NUVNotification*,
                                                           void*, int) {
  if (GetInstance(NUVBaseUnknown_var(), 0) == this) ApplyObservations();
}

void NUVSimMasterObservationAgentList::Finalize() {
  const int n = _Agents.Size();
  for (int i = 1; i <= n; ++i) {
    NUVISimAgentObserver_var observer(_Agents[i]);
    if (!!observer) observer->EndObservation();
  }
}

NUVSimMasterObservationAgentList::~NUVSimMasterObservationAgentList() {
  if (_StateMonitorCallback != 0) {
    if (auto* dispatcher =
            NUVGetPLMStateSynchronousEventDispatcher::GetPLMStateSynchronousEventDispatcher())
      RemoveCallback(dispatcher, _StateMonitorCallback);
  }
  if (_EditorClosedCallback != 0) {
    if (NUVFrmLayout* layout = NUVFrmLayout::GetCurrentLayout())
      RemoveCallback(layout, _EditorClosedCallback);
  }
  Finalize();
  _Agents.RemoveAll();
  _InteractiveAgents.RemoveAll();
  _ModeAgents.RemoveAll();
  _StructuredAgentKF = nullptr;
  _StructuredAgentNT = nullptr;
  DropViewerCallback();
  ClearNotifications();
  _pViewer = nullptr;
  _ClashSync = nullptr;
}
