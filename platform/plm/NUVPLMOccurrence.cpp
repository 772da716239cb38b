#include "NUVPLMOccurrence.h"

#include <cstring>

#include "NUV3DRep.h"
#include "NUVI3DGeoVisu.h"
#include "NUVIBuildPath.h"
#include "NUVPathElement.h"
#include "NUVTie.h"

NUV_IMPLEMENT_CLASS(NUVPLMOccurrence, NUVIPLMNavOccurrence, "VelloranPlatform")

namespace {

class TIENUVI3DGeoVisuNUVPLMOccurrence : public NUVTie<NUVI3DGeoVisu, NUVPLMOccurrence> {
 public:
  using NUVTie::NUVTie;
  NUV3DRep* GiveRep() override { return Impl()->GetRep(); }
};

class TIENUVIBuildPathNUVPLMOccurrence : public NUVTie<NUVIBuildPath, NUVPLMOccurrence> {
 public:
  using NUVTie::NUVTie;
  long BuildPath(NUVPathElement* iStart, NUVPathElement** oPath) override {
    return Impl()->BuildPath(iStart, oPath);
  }
};

// Children released by destructors wait here until the outermost destructor
// releases them, so that a deep chain is freed by a loop, not by recursion.
std::vector<NUVPLMOccurrence*>* g_pReleasing = nullptr;

}  // namespace

NUVPLMOccurrence::NUVPLMOccurrence(const NUVUnicodeString& name)
    : _Name(name), _pParent(nullptr), _pRep(nullptr) {}

NUVPLMOccurrence::~NUVPLMOccurrence() {
  SetRep(nullptr);
  bool outermost = g_pReleasing == nullptr;
  std::vector<NUVPLMOccurrence*> pending;
  if (outermost) g_pReleasing = &pending;
  for (NUVPLMOccurrence* child : _Children) {
    child->_pParent = nullptr;
    g_pReleasing->push_back(child);
  }
  _Children.clear();
  if (!outermost) return;
  while (!pending.empty()) {
    NUVPLMOccurrence* next = pending.back();
    pending.pop_back();
    next->Release();
  }
  g_pReleasing = nullptr;
}

long NUVPLMOccurrence::QueryInterface(const NUVIID& iid, void** out) {
  if (!out) return E_INVALIDARG;
  // Identifiers are usually the interfaces' own ClassId(): pointers answer
  // before any string comparison.
  const NUVIID* answered[] = {&NUVIPLMNavOccurrence::ClassId(), &NUVI3DGeoVisu::ClassId(),
                              &NUVIBuildPath::ClassId()};
  int which = -1;
  for (int i = 0; i < 3 && which < 0; ++i) {
    if (iid.name == answered[i]->name) which = i;
  }
  for (int i = 0; i < 3 && which < 0 && iid.name; ++i) {
    if (std::strcmp(iid.name, answered[i]->name) == 0) which = i;
  }
  switch (which) {
    case 0:
      AddRef();
      *out = static_cast<NUVIPLMNavOccurrence*>(this);
      return S_OK;
    case 1:
      *out = _pRep ? NUVTieFindOrCreate<TIENUVI3DGeoVisuNUVPLMOccurrence>(this) : nullptr;
      return *out ? S_OK : E_NOINTERFACE;
    case 2:
      *out = NUVTieFindOrCreate<TIENUVIBuildPathNUVPLMOccurrence>(this);
      return *out ? S_OK : E_NOINTERFACE;
    default:
      return NUVIPLMNavOccurrence::QueryInterface(iid, out);
  }
}

NUVIPLMNavOccurrence* NUVPLMOccurrence::GetChild(int index) {
  return index >= 0 && index < GetChildCount() ? _Children[index] : nullptr;
}

void NUVPLMOccurrence::AddChild(NUVPLMOccurrence* child) {
  if (!child || child->_pParent || child == this) return;
  // Without a parent, the child can be a father of this one only as the top
  // of its tree, with children: a fresh leaf needs no walk up.
  if (!child->_Children.empty()) {
    for (NUVPLMOccurrence* f = _pParent; f; f = f->_pParent) {
      if (f == child) return;
    }
  }
  child->AddRef();
  child->_pParent = this;
  _Children.push_back(child);
}

void NUVPLMOccurrence::SetRep(NUV3DRep* rep) {
  if (rep == _pRep) return;
  if (rep) {
    rep->AddRef();
    rep->GetModelIdentificator().SetId(this);
  }
  NUV3DRep* old = _pRep;
  _pRep = rep;
  if (old) {
    if (old->GetModelIdentificator().GetId() == this) old->GetModelIdentificator().SetId(nullptr);
    old->Release();
  }
}

long NUVPLMOccurrence::BuildPath(NUVPathElement* iStart, NUVPathElement** oPath) {
  if (!oPath) return E_INVALIDARG;
  *oPath = iStart ? iStart->Clone() : NUVNew<NUVPathElement>(nullptr);
  if (!*oPath) return E_OUTOFMEMORY;
  std::vector<NUVPLMOccurrence*> chain;  // this occurrence first, the top last
  for (NUVPLMOccurrence* f = this; f; f = f->_pParent) chain.push_back(f);
  for (auto f = chain.rbegin(); f != chain.rend(); ++f) (*oPath)->AddChildElement(*f, 0);
  return S_OK;
}
