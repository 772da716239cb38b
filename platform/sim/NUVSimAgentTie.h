// NUVSimAgentTie<Interface, ControllerI, Implementation>: the forwarding of
// the operations both agent interfaces share (lifecycle, per-step calls,
// priorities, type, controller, enabled flag) to the implementation's
// operations of the same name. NUVSimAgentKeyFrameTie and
// NUVSimAgentNegociatedTimeTie add the operations of their own interface.
//
//   class MyTie : public NUVSimAgentKeyFrameTie<MyAgent> {
//     using NUVSimAgentKeyFrameTie::NUVSimAgentKeyFrameTie; };
//
// Threading: user-interface thread only.
#ifndef NUVSimAgentTie_h
#define NUVSimAgentTie_h

#include "NUVTie.h"
#include "NUVVar.h"

template <class Interface, class ControllerI, class Implementation>
class NUVSimAgentTie : public NUVTie<Interface, Implementation> {
 public:
  using NUVTie<Interface, Implementation>::NUVTie;
  long Init() override { return this->Impl()->Init(); }
  long Clean() override { return this->Impl()->Clean(); }
  long Activate() override { return this->Impl()->Activate(); }
  long Deactivate() override { return this->Impl()->Deactivate(); }
  long SetCurrentSimValue(const NUVSimValue& v) override {
    return this->Impl()->SetCurrentSimValue(v);
  }
  long Compute() override { return this->Impl()->Compute(); }
  long Commit() override { return this->Impl()->Commit(); }
  long GetLoopStatus(SimLoopStatus& s) override { return this->Impl()->GetLoopStatus(s); }
  long GetPriority(SimAgentPriority& p) override { return this->Impl()->GetPriority(p); }
  long SetPriority(SimAgentPriority p) override { return this->Impl()->SetPriority(p); }
  long GetSubPriority(unsigned int& p) override { return this->Impl()->GetSubPriority(p); }
  long GetType(SimAgentType& t) override { return this->Impl()->GetType(t); }
  long SetType(SimAgentType t) override { return this->Impl()->SetType(t); }
  long SetSimulationController(NUVVar<ControllerI>& c, unsigned char a) override {
    return this->Impl()->SetSimulationController(c, a);
  }
  long GetSimulationController(NUVVar<ControllerI>& c) override {
    return this->Impl()->GetSimulationController(c);
  }
  long GetEnabled(unsigned char& e) override { return this->Impl()->GetEnabled(e); }
  long SetEnabled(unsigned char e) override { return this->Impl()->SetEnabled(e); }
};

#endif
