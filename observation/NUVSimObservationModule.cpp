// The coordinator's TIE for NUVISimMasterObservation, its creation function
// and the observation subsystem's load and unload hooks.
#include "NUVDictionary.h"
#include "NUVFillDictionary.h"
#include "NUVISimMasterObservation.h"
#include "NUVSimMasterObservation.h"
#include "NUVSimMasterObservationAgentList.h"
#include "NUVTie.h"
#include "VelloranExport.h"
#include "VelloranModule.h"
#include "VelloranSubsystems.h"

// Forwards every interface operation to the coordinator's operation of the
// same name.
class TIENUVISimMasterObservationNUVSimMasterObservationAgentList
    : public NUVTie<NUVISimMasterObservation, NUVSimMasterObservationAgentList> {
 public:
  using NUVTie::NUVTie;

  const NUVMetaClass* GetMetaObject() const override { return TieMeta(); }
  int IsA(const char* className) const override { return TieMeta()->IsA(className); }
  int IsAKindOf(const char* className) const override { return TieMeta()->IsAKindOf(className); }

  long AddAgent(NUVISimAgentKeyFrame_var& a, unsigned char s, unsigned char o) override {
    return Impl()->AddAgent(a, s, o);
  }
  long AddAgent(NUVISimAgentNegociatedTime_var& a, unsigned char s, unsigned char o) override {
    return Impl()->AddAgent(a, s, o);
  }
  long AddAgent(const NUVString& n, NUVISimAgentKeyFrame_var& a, unsigned char s,
                unsigned char o) override {
    return Impl()->AddAgent(n, a, s, o);
  }
  long AddAgent(const NUVString& n, NUVISimAgentNegociatedTime_var& a, unsigned char s,
                unsigned char o) override {
    return Impl()->AddAgent(n, a, s, o);
  }
  long RemoveAgent(NUVISimAgentKeyFrame_var& a) override { return Impl()->RemoveAgent(a); }
  long RemoveAgent(NUVISimAgentNegociatedTime_var& a) override { return Impl()->RemoveAgent(a); }
  long RemoveAgent(const NUVString& n) override { return Impl()->RemoveAgent(n); }
  long GetMainAgent(NUVISimAgentKeyFrame_var& a) override { return Impl()->GetMainAgent(a); }
  long GetMainAgent(NUVISimAgentNegociatedTime_var& a) override {
    return Impl()->GetMainAgent(a);
  }
  long IsAgentThere(NUVISimAgentKeyFrame_var& a, unsigned char& t) override {
    return Impl()->IsAgentThere(a, t);
  }
  long IsAgentThere(NUVISimAgentNegociatedTime_var& a, unsigned char& t) override {
    return Impl()->IsAgentThere(a, t);
  }
  long IsAgentThere(const NUVString& n, unsigned char& t) override {
    return Impl()->IsAgentThere(n, t);
  }
  long IsAgentInteractive(NUVISimAgentNegociatedTime_var& a, unsigned char& i) override {
    return Impl()->IsAgentInteractive(a, i);
  }
  long IsAgentInteractive(NUVISimAgentKeyFrame_var& a, unsigned char& i) override {
    return Impl()->IsAgentInteractive(a, i);
  }
  long GetAgent(const NUVString& n, NUVISimAgentKeyFrame_var& a) override {
    return Impl()->GetAgent(n, a);
  }
  long GetAgent(const NUVString& n, NUVISimAgentNegociatedTime_var& a) override {
    return Impl()->GetAgent(n, a);
  }
  long AddViewerCallback() override { return Impl()->AddViewerCallback(); }
  long RemoveViewerCallback(unsigned char o) override { return Impl()->RemoveViewerCallback(o); }
  long SetObservationMode(unsigned char on, unsigned char only) override {
    return Impl()->SetObservationMode(on, only);
  }
  long GetObservationMode(unsigned char& on, unsigned char& only) override {
    return Impl()->GetObservationMode(on, only);
  }
  long ApplyObservations() override { return Impl()->ApplyObservations(); }
  long RequestObservations() override { return Impl()->RequestObservations(); }
  long SetDirty(NUVListValNUVBaseUnknown_var& e, unsigned char f) override {
    return Impl()->SetDirty(e, f);
  }
  long SetDirty() override { return Impl()->SetDirty(); }
  long PostNotification(NUVSimNotification* n, unsigned char i) override {
    return Impl()->PostNotification(n, i);
  }
  long UpdateNotifications(NUVSimValue& v, SimComputeStatus c, SimLoopStatus l) override {
    return Impl()->UpdateNotifications(v, c, l);
  }
  long DispatchNotifications(NUVSimNotificationPhase p) override {
    return Impl()->DispatchNotifications(p);
  }
  long AddObservableEntity(NUVBaseUnknown_var& e) override {
    return Impl()->AddObservableEntity(e);
  }
  long RemoveObservableEntity(NUVBaseUnknown_var& e) override {
    return Impl()->RemoveObservableEntity(e);
  }
  long AddClashGroup(NUVListValNUVBaseUnknown_var& g, int& id) override {
    return Impl()->AddClashGroup(g, id);
  }
  long RemoveClashGroup(int id) override { return Impl()->RemoveClashGroup(id); }

 private:
  // The TIE's meta class: the interface's name, the interface as parent.
  static const NUVMetaClass* TieMeta() {
    static const NUVMetaClass meta(NUVISimMasterObservation::ClassName(),
                                   NUVISimMasterObservation::MetaObject(), "NUVNull",
                                   VELLORAN_LIBRARY_NAME, NUVMetaClass::Tie);
    return &meta;
  }
};

extern "C" VELLORAN_EXPORT NUVBaseUnknown*
CreateTIENUVISimMasterObservationNUVSimMasterObservationAgentList(NUVBaseUnknown* impl) {
  return NUVTieFindOrCreate<TIENUVISimMasterObservationNUVSimMasterObservationAgentList>(impl);
}

namespace {
NUVBaseUnknown* CreateNUVSimMasterObservation() {
  return NUVNew<NUVSimMasterObservationAgentList>();
}
}  // namespace

void VelloranObservationLoad() {
  NUVDictionary::RegisterMetaClass(VELLORAN_LIBRARY_NAME, "NUVSimMasterObservationAgentList",
                                   &NUVSimMasterObservationAgentList::MetaObject);
  NUVDictionary::RegisterInterface(
      VELLORAN_LIBRARY_NAME, "NUVSimMasterObservationAgentList", "NUVISimMasterObservation",
      &CreateTIENUVISimMasterObservationNUVSimMasterObservationAgentList);
  NUVFillDictionary::RegisterFunctionCreation("NUVSimMasterObservation",
                                              &CreateNUVSimMasterObservation,
                                              VELLORAN_LIBRARY_NAME);
}

void VelloranObservationUnload() {
  // Every coordinator the registry holds was made by this library's creation
  // function: let them go while their code is still loaded.
  NUVSimMasterObservation::ResetAll();
}
