// NUVSimAgentKeyFrameTie<Implementation>: the TIE that exposes an agent
// implementation through NUVISimAgentKeyFrame; every interface operation
// calls the implementation's operation of the same name with the same
// arguments (the shared ones through NUVSimAgentTie), so the implementation
// offers them all by name.
//
//   class MyKeyFrameTie : public NUVSimAgentKeyFrameTie<MyAgent> {
//     using NUVSimAgentKeyFrameTie::NUVSimAgentKeyFrameTie; };
//
// Threading: user-interface thread only.
#ifndef NUVSimAgentKeyFrameTie_h
#define NUVSimAgentKeyFrameTie_h

#include "NUVISimAgentKeyFrame.h"
#include "NUVISimControllerKeyFrame.h"
#include "NUVSimAgentTie.h"

template <class Implementation>
class NUVSimAgentKeyFrameTie
    : public NUVSimAgentTie<NUVISimAgentKeyFrame, NUVISimControllerKeyFrame, Implementation> {
  typedef NUVSimAgentTie<NUVISimAgentKeyFrame, NUVISimControllerKeyFrame, Implementation> Base;

 public:
  using Base::Base;
  long SetCurrentMode(int mode) override { return this->Impl()->SetCurrentMode(mode); }
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
  long GetKFType(SimAgentType& t) override { return this->Impl()->GetKFType(t); }
};

#endif
