// NUVSimAgentNegociatedTimeTie<Implementation>: the TIE that exposes an agent
// implementation through NUVISimAgentNegociatedTime; every interface
// operation calls the implementation's operation of the same name with the
// same arguments (the shared ones through NUVSimAgentTie), so the
// implementation offers them all by name.
//
//   class MyTie : public NUVSimAgentNegociatedTimeTie<MyAgent> {
//     using NUVSimAgentNegociatedTimeTie::NUVSimAgentNegociatedTimeTie; };
//
// Threading: user-interface thread only.
#ifndef NUVSimAgentNegociatedTimeTie_h
#define NUVSimAgentNegociatedTimeTie_h

#include "NUVISimAgentNegociatedTime.h"
#include "NUVISimControllerNegociatedTime.h"
#include "NUVSimAgentTie.h"

template <class Implementation>
class NUVSimAgentNegociatedTimeTie
    : public NUVSimAgentTie<NUVISimAgentNegociatedTime, NUVISimControllerNegociatedTime,
                            Implementation> {
  typedef NUVSimAgentTie<NUVISimAgentNegociatedTime, NUVISimControllerNegociatedTime,
                         Implementation>
      Base;

 public:
  using Base::Base;
  long ReInitData(const SimReInitParameter& r) override { return this->Impl()->ReInitData(r); }
  long GetComputeStatus(SimComputeStatus& s) override { return this->Impl()->GetComputeStatus(s); }
  long GetNextProposedValue(NUVSimValue& v) override {
    return this->Impl()->GetNextProposedValue(v);
  }
  long Reset() override { return this->Impl()->Reset(); }
  long ComputeNextIteration(unsigned int on) override {
    return this->Impl()->ComputeNextIteration(on);
  }
  long GetNTType(SimAgentType& t) override { return this->Impl()->GetNTType(t); }
};

#endif
