// The redraw agent's TIEs for the two agent interfaces, its creation
// function and its registration with the component dictionary.
#include "NUVDictionary.h"
#include "NUVFillDictionary.h"
#include "NUVISimAgentKeyFrame.h"
#include "NUVISimAgentNegociatedTime.h"
#include "NUVSimAgentKeyFrameTie.h"
#include "NUVSimAgentNegociatedTimeTie.h"
#include "NUVSimAgentRedraw3D.h"
#include "NUVSimComputeMessage.h"
#include "NUVTie.h"
#include "VelloranModule.h"
#include "VelloranSubsystems.h"

namespace {

// Each TIE has a meta class of its own: the interface's name, the
// interface's meta class as parent.
template <class Interface>
const NUVMetaClass* TieMeta() {
  static const NUVMetaClass meta(Interface::ClassName(), Interface::MetaObject(), "NUVNull",
                                 VELLORAN_LIBRARY_NAME, NUVMetaClass::Tie);
  return &meta;
}

// The generic forwarding TIE with the meta class of the redraw agent's TIE.
template <class Interface, class Forwarding>
class RedrawTie : public Forwarding {
 public:
  using Forwarding::Forwarding;
  const NUVMetaClass* GetMetaObject() const override { return TieMeta<Interface>(); }
  int IsA(const char* className) const override { return GetMetaObject()->IsA(className); }
  int IsAKindOf(const char* className) const override {
    return GetMetaObject()->IsAKindOf(className);
  }
};

}  // namespace

class TIENUVISimAgentKeyFrameNUVSimAgentRedraw3D
    : public RedrawTie<NUVISimAgentKeyFrame, NUVSimAgentKeyFrameTie<NUVSimAgentRedraw3D>> {
 public:
  using RedrawTie::RedrawTie;
};

class TIENUVISimAgentNegociatedTimeNUVSimAgentRedraw3D
    : public RedrawTie<NUVISimAgentNegociatedTime,
                       NUVSimAgentNegociatedTimeTie<NUVSimAgentRedraw3D>> {
 public:
  using RedrawTie::RedrawTie;
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
