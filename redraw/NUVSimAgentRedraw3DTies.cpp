// The redraw agent's TIEs for the two agent interfaces, its creation
// function and its registration with the component dictionary.
#include "NUVDictionary.h"
#include "NUVISimAgentKeyFrame.h"
#include "NUVISimAgentNegociatedTime.h"
#include "NUVSimAgentRedraw3D.h"
#include "NUVSimComputeMessage.h"
#include "NUVTie.h"
#include "VelloranModule.h"
#include "VelloranModuleParts.h"

namespace {

// Each TIE has a meta class of its own: the interface's name, the
// interface's meta class as parent, the agent's as implementation.
template <class Interface>
const NUVMetaClass* TieMeta() {
  static const NUVMetaClass meta(Interface::ClassName(), Interface::MetaObject(), "NUVNull",
                                 VELLORAN_LIBRARY_NAME, NUVMetaClass::Tie,
                                 NUVSimAgentRedraw3D::MetaObject());
  return &meta;
}

template <class Interface>
class RedrawTieBase : public NUVTie<Interface, NUVSimAgentRedraw3D> {
 public:
  using NUVTie<Interface, NUVSimAgentRedraw3D>::NUVTie;
  const NUVMetaClass* GetMetaObject() const override { return TieMeta<Interface>(); }
  int IsA(const char* className) const override { return GetMetaObject()->IsA(className); }
  int IsAKindOf(const char* className) const override {
    return GetMetaObject()->IsAKindOf(className);
  }
};

}  // namespace

class TIENUVISimAgentKeyFrameNUVSimAgentRedraw3D : public RedrawTieBase<NUVISimAgentKeyFrame> {
 public:
  using RedrawTieBase::RedrawTieBase;
  long Init() override { return Impl()->Init(); }
  long Clean() override { return Impl()->Clean(); }
  long Activate() override { return Impl()->Activate(); }
  long Deactivate() override { return Impl()->Deactivate(); }
  long SetCurrentSimValue(const NUVSimValue& v) override { return Impl()->SetCurrentSimValue(v); }
  long SetCurrentMode(int mode) override { return Impl()->SetCurrentMode(mode); }
  long Compute() override { return Impl()->Compute(); }
  long Commit() override { return Impl()->Commit(); }
  long GetLoopStatus(SimLoopStatus& s) override { return Impl()->GetLoopStatus(s); }
  long GetModeParams(int mode, unsigned char& defined, NUVSimValue& a, NUVSimValue& b,
                     NUVSimValue& c, NUVSimValue& d, unsigned char& flag,
                     unsigned char& enabled) override {
    return Impl()->GetModeParams(mode, defined, a, b, c, d, flag, enabled);
  }
  long DispatchModeParams(int mode, const NUVSimValue& a, const NUVSimValue& b,
                          const NUVSimValue& c, const NUVSimValue& d, unsigned char flag,
                          unsigned char enabled) override {
    return Impl()->DispatchModeParams(mode, a, b, c, d, flag, enabled);
  }
  long GetPriority(SimAgentPriority& p) override { return Impl()->GetPriority(p); }
  long SetPriority(SimAgentPriority p) override { return Impl()->SetPriority(p); }
  long GetSubPriority(unsigned int& p) override { return Impl()->GetSubPriority(p); }
  long GetType(SimAgentType& t) override { return Impl()->GetType(t); }
  long GetKFType(SimAgentType& t) override { return Impl()->GetKFType(t); }
  long SetType(SimAgentType t) override { return Impl()->SetType(t); }
  long SetSimulationController(NUVISimControllerKeyFrame_var& c, unsigned char a) override {
    return Impl()->SetSimulationController(c, a);
  }
  long GetSimulationController(NUVISimControllerKeyFrame_var& c) override {
    return Impl()->GetSimulationController(c);
  }
  long GetEnabled(unsigned char& e) override { return Impl()->GetEnabled(e); }
  long SetEnabled(unsigned char e) override { return Impl()->SetEnabled(e); }
};

class TIENUVISimAgentNegociatedTimeNUVSimAgentRedraw3D
    : public RedrawTieBase<NUVISimAgentNegociatedTime> {
 public:
  using RedrawTieBase::RedrawTieBase;
  long Init() override { return Impl()->Init(); }
  long Clean() override { return Impl()->Clean(); }
  long Activate() override { return Impl()->Activate(); }
  long Deactivate() override { return Impl()->Deactivate(); }
  long ReInitData(const SimReInitParameter& r) override { return Impl()->ReInitData(r); }
  long SetCurrentSimValue(const NUVSimValue& v) override { return Impl()->SetCurrentSimValue(v); }
  long Compute() override { return Impl()->Compute(); }
  long Commit() override { return Impl()->Commit(); }
  long GetComputeStatus(SimComputeStatus& s) override { return Impl()->GetComputeStatus(s); }
  long GetLoopStatus(SimLoopStatus& s) override { return Impl()->GetLoopStatus(s); }
  long GetNextProposedValue(NUVSimValue& v) override { return Impl()->GetNextProposedValue(v); }
  long Reset() override { return Impl()->Reset(); }
  long ComputeNextIteration(unsigned int on) override { return Impl()->ComputeNextIteration(on); }
  long GetPriority(SimAgentPriority& p) override { return Impl()->GetPriority(p); }
  long SetPriority(SimAgentPriority p) override { return Impl()->SetPriority(p); }
  long GetSubPriority(unsigned int& p) override { return Impl()->GetSubPriority(p); }
  long GetType(SimAgentType& t) override { return Impl()->GetType(t); }
  long GetNTType(SimAgentType& t) override { return Impl()->GetNTType(t); }
  long SetType(SimAgentType t) override { return Impl()->SetType(t); }
  long SetSimulationController(NUVISimControllerNegociatedTime_var& c, unsigned char a) override {
    return Impl()->SetSimulationController(c, a);
  }
  long GetSimulationController(NUVISimControllerNegociatedTime_var& c) override {
    return Impl()->GetSimulationController(c);
  }
  long GetEnabled(unsigned char& e) override { return Impl()->GetEnabled(e); }
  long SetEnabled(unsigned char e) override { return Impl()->SetEnabled(e); }
};

NUVBaseUnknown* CreateTIENUVISimAgentKeyFrameNUVSimAgentRedraw3D(NUVBaseUnknown* impl) {
  return NUVTieFindOrCreate<TIENUVISimAgentKeyFrameNUVSimAgentRedraw3D>(impl);
}

NUVBaseUnknown* CreateTIENUVISimAgentNegociatedTimeNUVSimAgentRedraw3D(NUVBaseUnknown* impl) {
  return NUVTieFindOrCreate<TIENUVISimAgentNegociatedTimeNUVSimAgentRedraw3D>(impl);
}

namespace {
NUVBaseUnknown* CreateNUVSimAgentRedraw3D() { return NUVNew<NUVSimAgentRedraw3D>(); }
}  // namespace

void VelloranRedrawLoad() {
  NUVSimAgentRedraw3D::BuildConstants();
  NUVDictionary::RegisterMetaClass(VELLORAN_LIBRARY_NAME, "NUVSimAgentRedraw3D",
                                   &NUVSimAgentRedraw3D::MetaObject);
  NUVDictionary::RegisterMetaClass(VELLORAN_LIBRARY_NAME, "NUVSimComputeMessage",
                                   &NUVSimComputeMessage::MetaObject);
  NUVDictionary::RegisterInterface(VELLORAN_LIBRARY_NAME, "NUVSimAgentRedraw3D",
                                   "NUVISimAgentKeyFrame",
                                   &CreateTIENUVISimAgentKeyFrameNUVSimAgentRedraw3D);
  NUVDictionary::RegisterInterface(VELLORAN_LIBRARY_NAME, "NUVSimAgentRedraw3D",
                                   "NUVISimAgentNegociatedTime",
                                   &CreateTIENUVISimAgentNegociatedTimeNUVSimAgentRedraw3D);
  NUVFillDictionary::RegisterFunctionCreation("NUVSimAgentRedraw3D", &CreateNUVSimAgentRedraw3D,
                                              VELLORAN_LIBRARY_NAME);
}

void VelloranRedrawUnload() { NUVSimAgentRedraw3D::DestroyConstants(); }
