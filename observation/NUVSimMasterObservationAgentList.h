// NUVSimMasterObservationAgentList: the master observation coordinator of a
// context (in practice of an editor), the implementation behind the
// NUVISimMasterObservation handles of the platform's per-context registry.
//
//   NUVSimMasterObservationAgentList* c =
//       NUVSimMasterObservationAgentList::GetInstance(editor, 1);
//   c->AddAgent(agent, 0, 1);        // interactive: observed on viewer updates
//
// It owns the key-frame and negotiated-time structured agents the controllers
// drive (every registered agent becomes a member of both), the clash
// synchronisation component, and the queue of simulation notifications. It
// watches the closing of its editor (closing resets the context), occurrence
// moves of the PLM state monitor and, while interactive agents exist, the
// updates of the viewer of the first 3D window: a move or
// RequestObservations makes the next update run ApplyObservations.
//
// Subscribers attach to the coordinator itself (the implementation object,
// as GetInstance returns it; its callback manager is NUVEventSubscriber's)
// for the events named in NUVSimMasterObservation; each dispatch passes the
// coordinator as publisher.
//
// Ownership: the handles and lists hold references (structured agents,
// registered agents, observable entities, clash component); each queued
// notification holds one reference; the viewer is borrowed.
// Threading: user-interface thread only; no locks.
#ifndef NUVSimMasterObservationAgentList_h
#define NUVSimMasterObservationAgentList_h

#include "NUVBaseUnknown_var.h"
#include "NUVEventSubscriber.h"
#include "NUVISimAgentKeyFrame.h"
#include "NUVISimAgentNegociatedTime.h"
#include "NUVISimControllerKeyFrame.h"
#include "NUVISimControllerNegociatedTime.h"
#include "NUVISimMasterObservation.h"
#include "NUVISimStructuredAgentKeyFrameMgt.h"
#include "NUVISimStructuredAgentNegociatedTimeMgt.h"
#include "NUVISimSyncAgentSupport.h"
#include "NUVListPtrNUVSimNotification.h"
#include "NUVListValNUVBaseUnknown_var.h"
#include "NUVListValNUVISimAgentKeyFrame_var.h"
#include "NUVSimValue.h"
#include "NUVString.h"
#include "SimComputeStatus.h"
#include "SimLoopStatus.h"
#include "VelloranExport.h"

class NUVFrmEditor;
class NUVSimNotification;
class NUVViewer;

class VELLORAN_EXPORT NUVSimMasterObservationAgentList : public NUVEventSubscriber {
  NUV_DECLARE_CLASS
 public:
  // The coordinator of `iContext` (null: the default context), created when
  // `iCreate` is true and there is none; null otherwise. No reference is
  // added: the registry keeps the coordinator until its context is reset.
  static NUVSimMasterObservationAgentList* GetInstance(NUVBaseUnknown_var iContext,
                                                       unsigned char iCreate);
  // Drops the context's coordinator; it goes with its last reference.
  static void ResetInstance(NUVBaseUnknown_var iContext);

  // Without an editor subscription (what the registry's creation uses).
  NUVSimMasterObservationAgentList();
  // Also watches `iEditor` (null: the current one) for its closing.
  explicit NUVSimMasterObservationAgentList(NUVFrmEditor* iEditor);
  // Not copyable: a copy would release the queue's references and remove
  // the subscriptions of the original a second time.
  NUVSimMasterObservationAgentList(const NUVSimMasterObservationAgentList&) = delete;
  NUVSimMasterObservationAgentList& operator=(const NUVSimMasterObservationAgentList&) = delete;
  ~NUVSimMasterObservationAgentList() override;

  // Subscribes once to the closing of `iEditor` (null: the current editor)
  // on the current layout; later calls change nothing.
  long SetEditor(NUVFrmEditor* iEditor);
  // Subscribes to the viewer's updates when there is a viewer, no
  // subscription yet and at least one interactive agent.
  long AddViewerCallback();
  // Unsubscribes; with the flag true only when no interactive agent is left.
  long RemoveViewerCallback(unsigned char iOnlyIfNoInteractive);
  // One interactive observation at the next viewer update; cancels any
  // earlier request while there is no viewer subscription.
  long RequestObservations();

  // Registration. Every agent must answer both agent interfaces (E_FAIL
  // otherwise, and nothing changes). Lists keep registration order and take
  // duplicates.
  long AddAgent(NUVISimAgentKeyFrame_var& iAgent, unsigned char iSimulationOnly,
                unsigned char iObservationSwitch);
  long AddAgent(NUVISimAgentNegociatedTime_var& iAgent, unsigned char iSimulationOnly,
                unsigned char iObservationSwitch);
  long AddAgent(const NUVString& iName, NUVISimAgentKeyFrame_var& oAgent,
                unsigned char iSimulationOnly, unsigned char iObservationSwitch);
  long AddAgent(const NUVString& iName, NUVISimAgentNegociatedTime_var& oAgent,
                unsigned char iSimulationOnly, unsigned char iObservationSwitch);
  long RemoveAgent(NUVISimAgentKeyFrame_var& iAgent);
  long RemoveAgent(NUVISimAgentNegociatedTime_var& iAgent);
  long RemoveAgent(const NUVString& iName);
  long GetMainAgent(NUVISimAgentKeyFrame_var& oAgent);
  long GetMainAgent(NUVISimAgentNegociatedTime_var& oAgent);
  long IsAgentThere(NUVISimAgentKeyFrame_var& iAgent, unsigned char& oThere);
  long IsAgentThere(NUVISimAgentNegociatedTime_var& iAgent, unsigned char& oThere);
  long IsAgentThere(const NUVString& iName, unsigned char& oThere);
  long IsAgentInteractive(NUVISimAgentNegociatedTime_var& iAgent, unsigned char& oInteractive);
  long IsAgentInteractive(NUVISimAgentKeyFrame_var& iAgent, unsigned char& oInteractive);
  long GetAgent(const NUVString& iName, NUVISimAgentKeyFrame_var& oAgent);
  long GetAgent(const NUVString& iName, NUVISimAgentNegociatedTime_var& oAgent);

  // Observation mode: off, default (interactive agents), or selective
  // (interactive agents that ask, plus the flagged members of the
  // controllers' structured agents when the dynamic interactive agent is a
  // member).
  long SetObservationMode(unsigned char iObservationOn, unsigned char iInteractiveOnly);
  long GetObservationMode(unsigned char& oObservationOn, unsigned char& oInteractiveOnly);
  // Runs one interactive observation when one is due: the selected agents
  // compute and commit under the draw lock; notifications are refused
  // meanwhile and the queued ones dropped at the end.
  long ApplyObservations();
  long SetDirty(NUVListValNUVBaseUnknown_var& iEntities, unsigned char iFlag);
  long SetDirty();

  // Notifications: queued (one reference taken) or dispatched at once.
  long PostNotification(NUVSimNotification* iNotification, unsigned char iImmediate);
  long UpdateNotifications(NUVSimValue& iValue, SimComputeStatus iComputeStatus,
                           SimLoopStatus iLoopStatus);
  // Phase 0 sends every queued notification (posted ones wait for the next
  // cycle), phases 1 to 6 their event, others nothing. E_FAIL without a
  // callback manager.
  long DispatchNotifications(NUVISimMasterObservation::NUVSimNotificationPhase iPhase);
  long AddObservableEntity(NUVBaseUnknown_var& iEntity);
  long RemoveObservableEntity(NUVBaseUnknown_var& iEntity);
  long AddClashGroup(NUVListValNUVBaseUnknown_var& iGroup, int& oGroupId);
  long RemoveClashGroup(int iGroupId);

 private:
  // The controllers driving the two structured agents, where there are.
  void GetControllers(NUVISimControllerKeyFrame_var& oKF,
                      NUVISimControllerNegociatedTime_var& oNT) const;
  void Initialize();
  void Finalize();
  long RemoveAllAgents();
  void ClearNotifications();
  void DropViewerCallback();
  void OnEditorClosedCB(const char* iEvent, void* iData, NUVNotification* iNotification,
                        void* iClientData, int iCallbackId);
  void StateMonitorCB(const char* iEvent, void* iData, NUVNotification* iNotification,
                      void* iClientData, int iCallbackId);
  void ApplyObservationsCB(const char* iEvent, void* iData, NUVNotification* iNotification,
                           void* iClientData, int iCallbackId);

  NUVISimStructuredAgentNegociatedTimeMgt_var _StructuredAgentNT;
  NUVISimStructuredAgentKeyFrameMgt_var _StructuredAgentKF;
  NUVListValNUVISimAgentKeyFrame_var _Agents;
  NUVListValNUVISimAgentKeyFrame_var _InteractiveAgents;
  NUVListValNUVISimAgentKeyFrame_var _ModeAgents;
  NUVViewer* _pViewer;  // borrowed
  unsigned char _ObservationRequested;
  unsigned char _ObservationOn;
  unsigned char _InteractiveOnly;
  unsigned char _AcceptNotifications;
  int _ViewerCallback;  // non-zero only while _pViewer is set
  int _StateMonitorCallback;
  int _EditorClosedCallback;
  NUVListPtrNUVSimNotification _PendingNotifications;
  NUVListValNUVBaseUnknown_var _ObservableEntities;
  NUVISimSyncAgentSupport_var _ClashSync;
};

#endif
