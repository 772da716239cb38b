#include "NUVSimAdapterTraversalVisitor.h"

#include "NUV3DRep.h"
#include "NUVDictionary.h"
#include "NUVI3DGeoVisu.h"
#include "NUVSimVizOccurrenceVisitor.h"
#include "NUVSimVizOrderedOccVisitor.h"
#include "NUVTie.h"
#include "VelloranModule.h"
#include "VelloranSubsystems.h"

NUV_IMPLEMENT_CLASS(NUVSimAdapterTraversalVisitor, NUVBaseUnknown, VELLORAN_LIBRARY_NAME)

// Exposes any visitor of the library through NUVISimTraversalVisitor; the
// calls reach the visitor's own overrides.
class TIENUVISimTraversalVisitorNUVSimAdapterTraversalVisitor
    : public NUVTie<NUVISimTraversalVisitor, NUVSimAdapterTraversalVisitor> {
  NUV_DECLARE_CLASS
 public:
  using NUVTie::NUVTie;
  long PreOrder(const NUVBaseUnknown_var& object, TraversalStatus& status) override {
    return Impl()->PreOrder(object, status);
  }
  long PostOrder(const NUVBaseUnknown_var& object, TraversalStatus& status,
                 unsigned char leaf) override {
    return Impl()->PostOrder(object, status, leaf);
  }
  long Init() override { return Impl()->Init(); }
};

NUV_IMPLEMENT_CLASS_EXT(TIENUVISimTraversalVisitorNUVSimAdapterTraversalVisitor,
                        NUVISimTraversalVisitor::MetaObject(), "NUVNull", VELLORAN_LIBRARY_NAME,
                        NUVMetaClass::Tie)

namespace {

NUVBaseUnknown* CreateTIENUVISimTraversalVisitor(NUVBaseUnknown* implementation) {
  return NUVTieFindOrCreate<TIENUVISimTraversalVisitorNUVSimAdapterTraversalVisitor>(
      implementation);
}

template <class Visitor>
void RegisterVisitor() {
  NUVDictionary::RegisterMetaClass(VELLORAN_LIBRARY_NAME, Visitor::ClassName(),
                                   &Visitor::MetaObject);
  NUVDictionary::RegisterInterface(VELLORAN_LIBRARY_NAME, Visitor::ClassName(),
                                   NUVISimTraversalVisitor::ClassName(),
                                   &CreateTIENUVISimTraversalVisitor);
}

}  // namespace

void VelloranVizTraversalLoad() {
  NUVDictionary::RegisterMetaClass(
      VELLORAN_LIBRARY_NAME, TIENUVISimTraversalVisitorNUVSimAdapterTraversalVisitor::ClassName(),
      &TIENUVISimTraversalVisitorNUVSimAdapterTraversalVisitor::MetaObject);
  RegisterVisitor<NUVSimAdapterTraversalVisitor>();
  RegisterVisitor<NUVSimVizOccurrenceVisitor>();
  RegisterVisitor<NUVSimVizOrderedOccVisitor>();
}

NUVSimAdapterTraversalVisitor::NUVSimAdapterTraversalVisitor() {}

NUVSimAdapterTraversalVisitor::~NUVSimAdapterTraversalVisitor() {}

long NUVSimAdapterTraversalVisitor::PreOrder(const NUVBaseUnknown_var&,
                                             NUVISimTraversalVisitor::TraversalStatus& oStatus) {
  oStatus = NUVISimTraversalVisitor::ContinueTraversal;
  return S_OK;
}

long NUVSimAdapterTraversalVisitor::PostOrder(const NUVBaseUnknown_var&,
                                              NUVISimTraversalVisitor::TraversalStatus& oStatus,
                                              unsigned char) {
  oStatus = NUVISimTraversalVisitor::ContinueTraversal;
  return S_OK;
}

long NUVSimAdapterTraversalVisitor::Init() { return S_OK; }

int NUVSimAdapterTraversalVisitor::LacksVisibleGeometry(const NUVBaseUnknown_var& iObject) {
  NUVI3DGeoVisu_var visu(iObject.get());
  NUV3DRep* rep = visu ? visu->GiveRep() : nullptr;
  if (!rep) return 0;
  NUV3DBoundingSphere sphere = rep->GetBoundingElement();
  // A NaN radius compares unequal to 0 and is kept.
  return (sphere.GetStatus() & 7u) == 0 || sphere.GetRadius() == 0.0f;
}
