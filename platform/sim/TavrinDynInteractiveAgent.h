// TavrinDynInteractiveAgent: the engine's dynamic interactive agent, created
// by name as "TavrinDynInteractiveAgent". It computes and observes (type 6)
// and stands for the dynamics that keep running while the user manipulates
// the product between plays. Its presence among the members of the
// negotiated-time structured agent, found by its class name, is what lets
// the master observation coordinator pick further agents for selective
// observation.
//
//   NUVISimAgentNegociatedTime_var dyn;
//   coordinator->AddAgent("TavrinDynInteractiveAgent", dyn, 0, 1);
//
// Otherwise it behaves as NUVSimBasicAgent: it counts its committed steps.
// Threading: user-interface thread only.
#ifndef TavrinDynInteractiveAgent_h
#define TavrinDynInteractiveAgent_h

#include "NUVSimBasicAgent.h"

class VPL_EXPORT TavrinDynInteractiveAgent : public NUVSimBasicAgent {
  NUV_DECLARE_CLASS
 public:
  TavrinDynInteractiveAgent();
  ~TavrinDynInteractiveAgent() override;
};

#endif
