// NUVSimAgentNegociatedTimeTie<Implementation>: the TIE that exposes an agent
// implementation through NUVISimAgentNegociatedTime; every interface
// operation calls the implementation's operation of the same name with the
// same arguments, so the implementation offers them all by name.
//
//   class MyTie : public NUVSimAgentNegociatedTimeTie<MyAgent> {
//     using NUVSimAgentNegociatedTimeTie::NUVSimAgentNegociatedTimeTie; };
//
// Threading: user-interface thread only.
#ifndef NUVSimAgentNegociatedTimeTie_h
#define NUVSimAgentNegociatedTimeTie_h

#include "NUVISimAgentNegociatedTime.h"
#include "NUVTie.h"

template <class Implementation>
class NUVSimAgentNegociatedTimeTie : public NUVTie<NUVISimAgentNegociatedTime, Implementation> {
 public:
  using NUVTie<NUVISimAgentNegociatedTime, Implementation>::NUVTie;
  long Init() override { return this->Impl()->Init(); }
  long Clean() override { return this->Impl()->Clean(); }
  long Activate() override { return this->Impl()->Activate(); }
  long Deactivate() override { return this->Impl()->Deactivate(); }
  long ReInitData(const SimReInitParameter& r) override { return this->Impl()->ReInitData(r); }
  long SetCurrentSimValue(const NUVSimValue& v) override { return this->Impl()->SetCurrentSimValue(v); }
  long Compute() override { return this->Impl()->Compute(); }
  long Commit() override { return this->Impl()->Commit(); }
  long GetComputeStatus(SimComputeStatus& s) override { return this->Impl()->GetComputeStatus(s); }
  long GetLoopStatus(SimLoopStatus& s) override { return this->Impl()->GetLoopStatus(s); }
  long GetNextProposedValue(NUVSimValue& v) override { return this->Impl()->GetNextProposedValue(v); }
  long Reset() override { return this->Impl()->Reset(); }
  long ComputeNextIteration(unsigned int on) override { return this->Impl()->ComputeNextIteration(on); }
  long GetPriority(SimAgentPriority& p) override { return this->Impl()->GetPriority(p); }
  long SetPriority(SimAgentPriority p) override { return this->Impl()->SetPriority(p); }
  long GetSubPriority(unsigned int& p) override { return this->Impl()->GetSubPriority(p); }
  long GetType(SimAgentType& t) override { return this->Impl()->GetType(t); }
  long GetNTType(SimAgentType& t) override { return this->Impl()->GetNTType(t); }
  long SetType(SimAgentType t) override { return this->Impl()->SetType(t); }
  long SetSimulationController(NUVISimControllerNegociatedTime_var& c, unsigned char a) override {
    return this->Impl()->SetSimulationController(c, a);
  }
  long GetSimulationController(NUVISimControllerNegociatedTime_var& c) override {
    return this->Impl()->GetSimulationController(c);
  }
  long GetEnabled(unsigned char& e) override { return this->Impl()->GetEnabled(e); }
  long SetEnabled(unsigned char e) override { return this->Impl()->SetEnabled(e); }
};

#endif
