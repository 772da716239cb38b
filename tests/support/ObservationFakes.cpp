#include "ObservationFakes.h"

#include <cstring>

#include "NUVDictionary.h"
#include "NUVISimAgentObserver.h"
#include "NUVISimContextForClash.h"
#include "NUVSimAgentKeyFrameTie.h"
#include "NUVSimAgentNegociatedTimeTie.h"

namespace {

const char* const kLibrary = "VelloranTestObservation";

const NUVMetaClass* SharedMeta() {
  static const NUVMetaClass meta("FakeObservedAgent", NUVBaseUnknown::MetaObject(), "NUVNull",
                                 kLibrary);
  return &meta;
}

struct KFTie : NUVSimAgentKeyFrameTie<FakeObservedAgent> { using NUVSimAgentKeyFrameTie::NUVSimAgentKeyFrameTie; };
struct NTTie : NUVSimAgentNegociatedTimeTie<FakeObservedAgent> { using NUVSimAgentNegociatedTimeTie::NUVSimAgentNegociatedTimeTie; };

struct ObserverTie : NUVTie<NUVISimAgentObserver, FakeObservedAgent> {
  using NUVTie::NUVTie;
  long SetObservationContext(NUVBaseUnknown_var& c) override { return Impl()->SetObservationContext(c); }
  long GetObservationContext(NUVBaseUnknown_var& c) override { return Impl()->GetObservationContext(c); }
  long SetObservationSwitch(unsigned char on) override { return Impl()->SetObservationSwitch(on); }
  long AddObservedEntity(NUVBaseUnknown_var& e) override { return Impl()->AddObservedEntity(e); }
  long RemoveObservedEntity(NUVBaseUnknown_var& e) override { return Impl()->RemoveObservedEntity(e); }
  long IsObservationNeeded(unsigned char& n) override { return Impl()->IsObservationNeeded(n); }
  long EndObservation() override { return Impl()->EndObservation(); }
};

struct ClashTie : NUVTie<NUVISimContextForClash, FakeObservedAgent> {
  using NUVTie::NUVTie;
  long SetSyncAgentSupport(NUVISimSyncAgentSupport_var& s) override { return Impl()->SetSyncAgentSupport(s); }
  long SetClashDirty() override { return Impl()->SetClashDirty(); }
  long SetClashDirty(NUVListValNUVBaseUnknown_var& e, unsigned char f) override {
    return Impl()->SetClashDirty(e, f);
  }
};

template <class Tie>
NUVBaseUnknown* Create(NUVBaseUnknown* impl) { return NUVTieFindOrCreate<Tie>(impl); }

void RegisterTies() {
  static bool done = false;
  if (done) return;
  done = true;
  NUVDictionary::RegisterInterface(kLibrary, "FakeObservedAgent", "NUVISimAgentKeyFrame", &Create<KFTie>);
  NUVDictionary::RegisterInterface(kLibrary, "FakeObservedAgent", "NUVISimAgentNegociatedTime", &Create<NTTie>);
  NUVDictionary::RegisterInterface(kLibrary, "FakeObservedAgent", "NUVISimAgentObserver", &Create<ObserverTie>);
  NUVDictionary::RegisterInterface(kLibrary, "FakeObservedAgent", "NUVISimContextForClash", &Create<ClashTie>);
}

}  // namespace

int FakeObservedAgent::liveCount = 0;

FakeObservedAgent::FakeObservedAgent(SimCallLog* l, std::string t, const char* className)
    : log(l), tag(std::move(t)), _ClassName(className) {
  RegisterTies();
  if (_ClassName != "FakeObservedAgent")
    _pMeta.reset(new NUVMetaClass(_ClassName.c_str(), SharedMeta(), "NUVNull", kLibrary));
  ++liveCount;
}

FakeObservedAgent::~FakeObservedAgent() { --liveCount; }

const NUVMetaClass* FakeObservedAgent::GetMetaObject() const {
  return _pMeta ? _pMeta.get() : SharedMeta();
}

long FakeObservedAgent::QueryInterface(const NUVIID& iid, void** out) {
  if (out) *out = nullptr;
  if (iid.name && withheld.count(iid.name)) return E_NOINTERFACE;
  return NUVBaseUnknown::QueryInterface(iid, out);
}

SimCallLog* SpyStructuredAgents::log = nullptr;

namespace {
NUVBaseUnknown* CreateSpyKF() {
  return new SpyStructuredAgent<NUVSimProbesStructuredAgentKeyFrame, NUVISimStructuredAgentKeyFrameMgt,
                                NUVISimAgentKeyFrame_var, NUVListValNUVISimAgentKeyFrame_var>(
      SpyStructuredAgents::log, "KF");
}
NUVBaseUnknown* CreateSpyNT() {
  return new SpyStructuredAgent<NUVSimProbesStructuredAgentNegociatedTime,
                                NUVISimStructuredAgentNegociatedTimeMgt, NUVISimAgentNegociatedTime_var,
                                NUVListValNUVISimAgentNegociatedTime_var>(SpyStructuredAgents::log, "NT");
}
}  // namespace

SpyStructuredAgents::SpyStructuredAgents(SimCallLog* l) {
  log = l;
  NUVDictionary::RegisterCreation("VelloranTestSpies", "NUVSimProbesStructuredAgentKF", &CreateSpyKF);
  NUVDictionary::RegisterCreation("VelloranTestSpies", "NUVSimProbesStructuredAgentNT", &CreateSpyNT);
}

SpyStructuredAgents::~SpyStructuredAgents() {
  NUVDictionary::UnregisterLibrary("VelloranTestSpies");
  log = nullptr;
}
