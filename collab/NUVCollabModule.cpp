// The co-review messenger's TIE for NUVIcoMessenger, its creation extension
// with the TIE for NUVICreateInstance, and the collab subsystem's load and
// unload hooks.
#include "NUVDictionary.h"
#include "NUVECoMessengerForSimEngine.h"
#include "NUVICreateInstance.h"
#include "NUVIcoMessenger.h"
#include "NUVCollabSessionManager.h"
#include "NUVTie.h"
#include "VelloranExport.h"
#include "VelloranModule.h"
#include "VelloranSubsystems.h"

namespace {

// The TIE meta class of `Interface`: the interface's name, the interface as
// parent.
template <class Interface>
const NUVMetaClass* TieMetaOf() {
  static const NUVMetaClass meta(Interface::ClassName(), Interface::MetaObject(), "NUVNull",
                                 VELLORAN_LIBRARY_NAME, NUVMetaClass::Tie);
  return &meta;
}

}  // namespace

class TIENUVIcoMessengerNUVECoMessengerForSimEngine
    : public NUVTie<NUVIcoMessenger, NUVECoMessengerForSimEngine> {
 public:
  using NUVTie::NUVTie;

  const NUVMetaClass* GetMetaObject() const override { return TieMetaOf<NUVIcoMessenger>(); }
  int IsA(const char* c) const override { return GetMetaObject()->IsA(c); }
  int IsAKindOf(const char* c) const override { return GetMetaObject()->IsAKindOf(c); }

  const char* GetServiceName() override { return Impl()->GetServiceName(); }
  unsigned char AcceptsBroadcast() override { return Impl()->AcceptsBroadcast(); }
  long ReceiveMessage(const char* b, int n, NUVICollabUser* from) override {
    return Impl()->ReceiveMessage(b, n, from);
  }
  long Synchronize() override { return Impl()->Synchronize(); }
  long Start() override { return Impl()->StartListening(); }
  long Stop() override { return Impl()->StopListening(); }
  void Suspend() override { Impl()->Suspend(); }
  unsigned char Resume() override { return Impl()->Resume(); }
};

// The creation extension of the messenger: the one way the collaboration
// framework builds it.
class NUVECoMessengerForSimEngine_CreateExt : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // A new messenger (one reference) or null in *oObject; E_UNEXPECTED when
  // it could not be allocated, E_INVALIDARG without an out pointer.
  long CreateInstance(void** oObject) {
    if (!oObject) return E_INVALIDARG;
    NUVECoMessengerForSimEngine* messenger = NUVNew<NUVECoMessengerForSimEngine>();
    *oObject = static_cast<NUVBaseUnknown*>(messenger);
    return messenger ? S_OK : E_UNEXPECTED;
  }
};

NUV_IMPLEMENT_CLASS_EXT(NUVECoMessengerForSimEngine_CreateExt, NUVBaseUnknown::MetaObject(),
                        "NUVECoMessengerForSimEngine", VELLORAN_LIBRARY_NAME,
                        NUVMetaClass::Implementation)

class TIENUVICreateInstanceNUVECoMessengerForSimEngine_CreateExt
    : public NUVTie<NUVICreateInstance, NUVECoMessengerForSimEngine_CreateExt> {
 public:
  using NUVTie::NUVTie;

  const NUVMetaClass* GetMetaObject() const override { return TieMetaOf<NUVICreateInstance>(); }
  int IsA(const char* c) const override { return GetMetaObject()->IsA(c); }
  int IsAKindOf(const char* c) const override { return GetMetaObject()->IsAKindOf(c); }

  long CreateInstance(void** o) override { return Impl()->CreateInstance(o); }
};

extern "C" VELLORAN_EXPORT NUVBaseUnknown*
CreateTIENUVIcoMessengerNUVECoMessengerForSimEngine(NUVBaseUnknown* impl) {
  return NUVTieFindOrCreate<TIENUVIcoMessengerNUVECoMessengerForSimEngine>(impl);
}

extern "C" VELLORAN_EXPORT NUVBaseUnknown*
CreateTIENUVICreateInstanceNUVECoMessengerForSimEngine_CreateExt(NUVBaseUnknown* impl) {
  return NUVTieFindOrCreate<TIENUVICreateInstanceNUVECoMessengerForSimEngine_CreateExt>(impl);
}

namespace {
NUVBaseUnknown* CreateMessengerExtension() {
  return NUVNew<NUVECoMessengerForSimEngine_CreateExt>();
}
}  // namespace

void VelloranCollabLoad() {
  NUVDictionary::RegisterMetaClass(VELLORAN_LIBRARY_NAME, "NUVECoMessengerForSimEngine",
                                   &NUVECoMessengerForSimEngine::MetaObject);
  NUVDictionary::RegisterInterface(VELLORAN_LIBRARY_NAME, "NUVECoMessengerForSimEngine",
                                   "NUVIcoMessenger",
                                   &CreateTIENUVIcoMessengerNUVECoMessengerForSimEngine);
  NUVDictionary::RegisterMetaClass(VELLORAN_LIBRARY_NAME, "NUVECoMessengerForSimEngine_CreateExt",
                                   &NUVECoMessengerForSimEngine_CreateExt::MetaObject);
  NUVDictionary::RegisterInterface(
      VELLORAN_LIBRARY_NAME, "NUVECoMessengerForSimEngine_CreateExt", "NUVICreateInstance",
      &CreateTIENUVICreateInstanceNUVECoMessengerForSimEngine_CreateExt);
  // The platform instantiates an extension by its class name.
  NUVDictionary::RegisterCreation(VELLORAN_LIBRARY_NAME, "NUVECoMessengerForSimEngine_CreateExt",
                                  &CreateMessengerExtension);
}

void VelloranCollabUnload() {
  // Messengers in a running review were built by this library: they go
  // (with their subscriptions) while their code is still loaded.
  NUVCollabSessionManager::ReleaseMessengersOf(VELLORAN_LIBRARY_NAME);
}
