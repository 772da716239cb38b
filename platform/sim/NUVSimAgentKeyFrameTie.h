// NUVSimAgentKeyFrameTie<Implementation>: the TIE that exposes an agent
// implementation through NUVISimAgentKeyFrame; every interface operation
// calls the implementation's operation of the same name with the same
// arguments, so the implementation offers them all by name.
//
//   class MyKeyFrameTie : public NUVSimAgentKeyFrameTie<MyAgent> {
//     using NUVSimAgentKeyFrameTie::NUVSimAgentKeyFrameTie; };
//
// Threading: user-interface thread only.
#ifndef NUVSimAgentKeyFrameTie_h
#define NUVSimAgentKeyFrameTie_h

#include "NUVISimAgentKeyFrame.h"
#include "NUVTie.h"

template <class Implementation>
class NUVSimAgentKeyFrameTie : public NUVTie<NUVISimAgentKeyFrame, Implementation> {
 public:
  using NUVTie<NUVISimAgentKeyFrame, Implementation>::NUVTie;
  long Init() override { return this->Impl()->Init(); }
  long Clean() override { return this->Impl()->Clean(); }
  long Activate() override { return this->Impl()->Activate(); }
  long Deactivate() override { return this->Impl()->Deactivate(); }
  long SetCurrentSimValue(const NUVSimValue& v) override { return this->Impl()->SetCurrentSimValue(v); }
  long SetCurrentMode(int mode) override { return this->Impl()->SetCurrentMode(mode); }
  long Compute() override { return this->Impl()->Compute(); }
  long Commit() override { return this->Impl()->Commit(); }
  long GetLoopStatus(SimLoopStatus& s) override { return this->Impl()->GetLoopStatus(s); }
  long GetModeParams(int mode, unsigned char& defined, NUVSimValue& a, NUVSimValue& b,
                     NUVSimValue& c, NUVSimValue& d, unsigned char& flag,
                     unsigned char& enabled) override {
    return this->Impl()->GetModeParams(mode, defined, a, b, c, d, flag, enabled);
  }
  long DispatchModeParams(int mode, const NUVSimValue& a, const NUVSimValue& b,
                          const NUVSimValue& c, const NUVSimValue& d, unsigned char flag,
                          unsigned char enabled) override {
    return this->Impl()->DispatchModeParams(mode, a, b, c, d, flag, enabled);
  }
  long GetPriority(SimAgentPriority& p) override { return this->Impl()->GetPriority(p); }
  long SetPriority(SimAgentPriority p) override { return this->Impl()->SetPriority(p); }
  long GetSubPriority(unsigned int& p) override { return this->Impl()->GetSubPriority(p); }
  long GetType(SimAgentType& t) override { return this->Impl()->GetType(t); }
  long GetKFType(SimAgentType& t) override { return this->Impl()->GetKFType(t); }
  long SetType(SimAgentType t) override { return this->Impl()->SetType(t); }
  long SetSimulationController(NUVISimControllerKeyFrame_var& c, unsigned char a) override {
    return this->Impl()->SetSimulationController(c, a);
  }
  long GetSimulationController(NUVISimControllerKeyFrame_var& c) override {
    return this->Impl()->GetSimulationController(c);
  }
  long GetEnabled(unsigned char& e) override { return this->Impl()->GetEnabled(e); }
  long SetEnabled(unsigned char e) override { return this->Impl()->SetEnabled(e); }
};

#endif
