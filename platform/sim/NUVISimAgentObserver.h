// NUVISimAgentObserver: the observation side of an agent: the context it
// observes in, the entities it observes, and whether it wants to observe now.
//
//   NUVISimAgentObserver_var observer(agent);
//   if (!!observer) observer->AddObservedEntity(entity);
//
// Threading: user-interface thread only.
#ifndef NUVISimAgentObserver_h
#define NUVISimAgentObserver_h

#include "NUVBaseUnknown_var.h"

class VPL_EXPORT NUVISimAgentObserver : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // The context the agent observes in (null allowed).
  virtual long SetObservationContext(NUVBaseUnknown_var& iContext) = 0;
  // The context this agent hands to the agents it contains.
  virtual long GetObservationContext(NUVBaseUnknown_var& oContext) = 0;
  // Switches selective observation on (1) or off (0).
  virtual long SetObservationSwitch(unsigned char iOn) = 0;
  virtual long AddObservedEntity(NUVBaseUnknown_var& iEntity) = 0;
  virtual long RemoveObservedEntity(NUVBaseUnknown_var& iEntity) = 0;
  // Whether the agent wants to be observed now.
  virtual long IsObservationNeeded(unsigned char& oNeeded) = 0;
  // Observation is over for good (the coordinator goes away).
  virtual long EndObservation() = 0;
};

#define IID_NUVISimAgentObserver (NUVISimAgentObserver::ClassId())
typedef NUVVar<NUVISimAgentObserver> NUVISimAgentObserver_var;

#endif
