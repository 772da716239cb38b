// NUVISimMasterObservation: the interface of a context's master observation
// coordinator, as the per-context registry NUVSimMasterObservation hands it
// out. The coordinator itself is supplied by the library that registers the
// creation function "NUVSimMasterObservation".
//
//   NUVISimMasterObservation_var coordinator;
//   NUVSimMasterObservation::Get(coordinator, context, 1);
//   coordinator->AddAgent(agent, 0, 1);   // interactive, switch on
//
// The coordinator registers observation agents with the two structured
// agents the controllers drive, runs interactive observation on viewer
// updates, and queues and dispatches simulation notifications to its
// subscribers. Every operation returns a result code (S_OK, or E_FAIL for a
// refused argument). Flags are unsigned char, zero meaning false. The slot
// order below is part of the interface.
// Threading: user-interface thread only.
#ifndef NUVISimMasterObservation_h
#define NUVISimMasterObservation_h

#include "NUVListValNUVBaseUnknown_var.h"
#include "NUVSimHandles.h"
#include "NUVSimValue.h"
#include "NUVString.h"
#include "SimComputeStatus.h"
#include "SimLoopStatus.h"

class NUVSimNotification;

class VPL_EXPORT NUVISimMasterObservation : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Which event a dispatch of notifications raises (names in
  // NUVSimMasterObservation): the queued notifications of a cycle, or one of
  // the play phases, which carry no notification.
  enum NUVSimNotificationPhase {
    NUVSimPhaseCycle = 0,
    NUVSimPhaseActivated = 1,
    NUVSimPhaseDeactivated = 2,
    NUVSimPhasePreApplyInitialState = 3,
    NUVSimPhasePostApplyInitialState = 4,
    NUVSimPhaseLoad = 5,
    NUVSimPhaseClean = 6
  };

  // Registration (the agent must answer both agent interfaces).
  virtual long AddAgent(NUVISimAgentKeyFrame_var& iAgent, unsigned char iSimulationOnly,
                        unsigned char iObservationSwitch) = 0;
  virtual long AddAgent(NUVISimAgentNegociatedTime_var& iAgent, unsigned char iSimulationOnly,
                        unsigned char iObservationSwitch) = 0;
  // Creates the component registered under `iName`, then registers it.
  virtual long AddAgent(const NUVString& iName, NUVISimAgentKeyFrame_var& oAgent,
                        unsigned char iSimulationOnly, unsigned char iObservationSwitch) = 0;
  virtual long AddAgent(const NUVString& iName, NUVISimAgentNegociatedTime_var& oAgent,
                        unsigned char iSimulationOnly, unsigned char iObservationSwitch) = 0;
  virtual long RemoveAgent(NUVISimAgentKeyFrame_var& iAgent) = 0;
  virtual long RemoveAgent(NUVISimAgentNegociatedTime_var& iAgent) = 0;
  virtual long RemoveAgent(const NUVString& iName) = 0;
  // The structured agents, which the controllers drive.
  virtual long GetMainAgent(NUVISimAgentKeyFrame_var& oAgent) = 0;
  virtual long GetMainAgent(NUVISimAgentNegociatedTime_var& oAgent) = 0;
  virtual long IsAgentThere(NUVISimAgentKeyFrame_var& iAgent, unsigned char& oThere) = 0;
  virtual long IsAgentThere(NUVISimAgentNegociatedTime_var& iAgent, unsigned char& oThere) = 0;
  virtual long IsAgentThere(const NUVString& iName, unsigned char& oThere) = 0;
  virtual long IsAgentInteractive(NUVISimAgentNegociatedTime_var& iAgent,
                                  unsigned char& oInteractive) = 0;
  virtual long IsAgentInteractive(NUVISimAgentKeyFrame_var& iAgent,
                                  unsigned char& oInteractive) = 0;
  virtual long GetAgent(const NUVString& iName, NUVISimAgentKeyFrame_var& oAgent) = 0;
  virtual long GetAgent(const NUVString& iName, NUVISimAgentNegociatedTime_var& oAgent) = 0;

  // Interactive observation.
  virtual long AddViewerCallback() = 0;
  virtual long RemoveViewerCallback(unsigned char iOnlyIfNoInteractive) = 0;
  virtual long SetObservationMode(unsigned char iObservationOn, unsigned char iInteractiveOnly) = 0;
  virtual long GetObservationMode(unsigned char& oObservationOn,
                                  unsigned char& oInteractiveOnly) = 0;
  virtual long ApplyObservations() = 0;
  virtual long RequestObservations() = 0;
  virtual long SetDirty(NUVListValNUVBaseUnknown_var& iEntities, unsigned char iFlag) = 0;
  virtual long SetDirty() = 0;

  // Notifications, observable entities and clash groups.
  virtual long PostNotification(NUVSimNotification* iNotification, unsigned char iImmediate) = 0;
  virtual long UpdateNotifications(NUVSimValue& iValue, SimComputeStatus iComputeStatus,
                                   SimLoopStatus iLoopStatus) = 0;
  virtual long DispatchNotifications(NUVSimNotificationPhase iPhase) = 0;
  virtual long AddObservableEntity(NUVBaseUnknown_var& iEntity) = 0;
  virtual long RemoveObservableEntity(NUVBaseUnknown_var& iEntity) = 0;
  virtual long AddClashGroup(NUVListValNUVBaseUnknown_var& iGroup, int& oGroupId) = 0;
  virtual long RemoveClashGroup(int iGroupId) = 0;
};

#define IID_NUVISimMasterObservation (NUVISimMasterObservation::ClassId())
typedef NUVVar<NUVISimMasterObservation> NUVISimMasterObservation_var;

#endif
