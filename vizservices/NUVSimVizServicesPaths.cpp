// NUVSimVizServices, paths: an object's display path, completed with the
// model path under the current editor's active object.
#include <vector>

#include "NUV3DRep.h"
#include "NUVFrmEditor.h"
#include "NUVI3DGeoVisu.h"
#include "NUVIBuildPath.h"
#include "NUVPathElement.h"
#include "NUVRawCollPV.h"
#include "NUVSimVizServices.h"
#include "VelloranSubsystems.h"

namespace {

// The paths made by one GetPathElement call, held (one reference each, null
// entries allowed) until the call releases them. Built at load, destroyed
// at unload; empty between calls.
NUVRawCollPV* g_pScratchPaths = nullptr;

void ReleaseScratchPaths() {
  for (int i = 1; i <= g_pScratchPaths->Size(); ++i) {
    if (auto* path = static_cast<NUVPathElement*>((*g_pScratchPaths)[i])) path->Release();
  }
  g_pScratchPaths->RemoveAll();
}

// One path per branch of the tree of identified representations below `rep`,
// all in the scratch list. At each representation, after its preparatory
// update, the children with a model id are taken from the last to the first;
// every one but the first extends a fresh clone of `path` (taken before
// `path` itself is extended), the first extends `path`. The walk keeps its
// own stack, in the order a recursive walk would go, so that a deep tree
// costs no call stack.
void WalkModelPaths(NUV3DRep* rep, NUVPathElement* path) {
  struct Step {
    NUV3DRep* child;
    NUVBaseUnknown* id;
    NUVPathElement* path;  // to clone, or to extend for the first child
    bool clone;
  };
  std::vector<Step> pending;
  std::vector<Step> kept;
  auto expand = [&](NUV3DRep* r, NUVPathElement* p) {
    if (!r || !p) return;
    r->ComputeBoundingElement();
    kept.clear();
    for (int i = 0; NUV3DRep* child = r->GetChild(i); ++i) {
      if (NUVBaseUnknown* id = child->GetModelIdentificator().GetId())
        kept.push_back({child, id, p, !kept.empty()});
    }
    // Pushed first to last: the last child is taken first.
    pending.insert(pending.end(), kept.begin(), kept.end());
  };
  expand(rep, path);
  while (!pending.empty()) {
    Step step = pending.back();
    pending.pop_back();
    NUVPathElement* extended = step.path;
    if (step.clone) {
      extended = step.path->Clone();
      g_pScratchPaths->Append(extended);
      if (!extended) continue;
    }
    extended->AddChildElement(step.id, 0);
    expand(dynamic_cast<NUV3DRep*>(step.child->GetImpl()), extended);
  }
}

}  // namespace

void VelloranVizPathsLoad() {
  if (!g_pScratchPaths) g_pScratchPaths = new NUVRawCollPV;
}

void VelloranVizPathsUnload() {
  if (!g_pScratchPaths) return;
  ReleaseScratchPaths();
  delete g_pScratchPaths;
  g_pScratchPaths = nullptr;
}

long NUVSimVizServices::GetPathElement(NUVBaseUnknown_var& iObject, NUVPathElement** oPath) {
  if (!oPath || !g_pScratchPaths) return E_FAIL;
  NUVPathElement* start = NUVNew<NUVPathElement>(nullptr);
  if (!start) return E_FAIL;
  NUVIBuildPath_var builder(iObject.get());
  if (!builder || FAILED(builder->BuildPath(start, oPath)) || !*oPath) {
    start->Release();
    return E_FAIL;
  }

  (*oPath)->InitToTopElement();
  NUVI3DGeoVisu_var visu((*oPath)->NextChildElement());
  NUV3DRep* rep = visu ? visu->GiveRep() : nullptr;
  NUVPathElement* first = start->Clone();
  g_pScratchPaths->Append(first);
  start->Release();
  WalkModelPaths(rep, first);
  if (g_pScratchPaths->Size() == 0) return S_OK;

  if (NUVFrmEditor* editor = NUVFrmEditor::GetCurrentEditor()) {
    NUVBaseUnknown_var active;
    if (NUVPathElement* copy = NUVNew<NUVPathElement>(editor->GetActivePath())) {
      copy->InitToTopElement();
      active = copy->NextChildElement();
      copy->Release();
    }
    NUVPathElement* found = nullptr;
    for (int i = 1; active && !found && i <= g_pScratchPaths->Size(); ++i) {
      auto* candidate = static_cast<NUVPathElement*>((*g_pScratchPaths)[i]);
      if (candidate && candidate->FindElement(active)) found = candidate;
    }
    if (found) {
      found->InitToLeafElement();
      while (NUVBaseUnknown* object = found->NextFatherElement())
        (*oPath)->AddChildElement(object, 0);
    }
  }
  ReleaseScratchPaths();
  return S_OK;
}
