#include "NUVSimWindowServices.h"

#include "NUV3DViewer.h"
#include "NUV3DViewpoint.h"
#include "NUVDictionary.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVHashDico.h"
#include "NUVISO.h"
#include "NUVListPtrNUVFrmEditor.h"
#include "NUVListPtrNUVViewer.h"
#include "NUVModelForRep3D.h"
#include "NUVVidCtl3DViewer.h"
#include "NUVViewer.h"
#include "NUVVisualizationScheduler.h"
#include "VelloranModule.h"
#include "VelloranSubsystems.h"

namespace {

// Module-wide state of the window services, alive while the library is
// loaded. Entry i of each pair of parallel lists forms one registration.
struct WindowServicesState {
  NUVListPtrNUVFrmEditor controlEditors;
  NUVRawCollPV controls;  // NUVVidCtl3DViewer*
  NUVListPtrNUVFrmEditor viewerEditors;
  NUVListPtrNUVViewer viewers;
  NUVRawCollPV controlResults;
  NUVRawCollPV viewerResults;
  NUVListPtrNUVFrmWindow windowResults;
  // Name to NUVModelForRep3D; the dictionary owns one reference per holder.
  NUVHashDico transientReps{10};
};

WindowServicesState* g_pState = nullptr;

// Stands in for the shared lists outside the library's lifetime, so that a
// late caller gets an empty list rather than a dangling one.
NUVRawCollPV& EmptyRawList() {
  static NUVRawCollPV list;
  list.RemoveAll();
  return list;
}

NUVListPtrNUVFrmWindow& EmptyWindowList() {
  static NUVListPtrNUVFrmWindow list;
  list.RemoveAll();
  return list;
}

NUVFrmEditor* Resolve(NUVFrmEditor* editor) {
  return editor ? editor : NUVFrmEditor::GetCurrentEditor();
}

// First position where both parallel lists hold the pair, 0 when none.
int FindPair(const NUVListPtrNUVFrmEditor& editors, const NUVRawCollPV& items,
             NUVFrmEditor* editor, void* item) {
  for (int i = 1; i <= editors.Size(); ++i) {
    if (editors[i] == editor && items[i] == item) return i;
  }
  return 0;
}

long AddPair(NUVListPtrNUVFrmEditor& editors, NUVRawCollPV& items, NUVFrmEditor* editor,
             void* item) {
  editor = Resolve(editor);
  if (FindPair(editors, items, editor, item)) return E_FAIL;
  editors.Append(editor);
  items.Append(item);
  return S_OK;
}

long RemovePair(NUVListPtrNUVFrmEditor& editors, NUVRawCollPV& items, NUVFrmEditor* editor,
                void* item) {
  editor = Resolve(editor);
  int position = FindPair(editors, items, editor, item);
  if (!position) return E_FAIL;
  editors.RemovePosition(position);
  items.RemovePosition(position);
  return S_OK;
}

}  // namespace

void VelloranWindowServicesLoad() {
  NUVDictionary::RegisterMetaClass(VELLORAN_LIBRARY_NAME, "NUVSimWindowServices",
                                   &NUVSimWindowServices::MetaObject);
  g_pState = new WindowServicesState;
}

void VelloranWindowServicesUnload() {
  WindowServicesState* state = g_pState;
  g_pState = nullptr;
  if (!state) return;
  state->transientReps.ForEach([](const std::string&, void* holder) {
    static_cast<NUVModelForRep3D*>(holder)->Release();
  });
  delete state;
}

NUV_IMPLEMENT_CLASS(NUVSimWindowServices, NUVBaseUnknown, "Velloran")

unsigned char NUVSimWindowServices::_drawLocked = 0;

NUVSimWindowServices::NUVSimWindowServices() = default;
NUVSimWindowServices::NUVSimWindowServices(const NUVSimWindowServices& other)
    : NUVBaseUnknown(other) {}
NUVSimWindowServices& NUVSimWindowServices::operator=(const NUVSimWindowServices&) {
  return *this;
}
NUVSimWindowServices::~NUVSimWindowServices() = default;

long NUVSimWindowServices::AddViewer(NUVVidCtl3DViewer* control, NUVFrmEditor* editor) {
  if (!g_pState) return E_FAIL;
  return AddPair(g_pState->controlEditors, g_pState->controls, editor, control);
}

long NUVSimWindowServices::RemoveViewer(NUVVidCtl3DViewer* control, NUVFrmEditor* editor) {
  if (!g_pState) return E_FAIL;
  return RemovePair(g_pState->controlEditors, g_pState->controls, editor, control);
}

long NUVSimWindowServices::AddViewer(NUVViewer* viewer, NUVFrmEditor* editor) {
  if (!g_pState) return E_FAIL;
  return AddPair(g_pState->viewerEditors, g_pState->viewers.Raw(), editor, viewer);
}

long NUVSimWindowServices::RemoveViewer(NUVViewer* viewer, NUVFrmEditor* editor) {
  if (!g_pState) return E_FAIL;
  return RemovePair(g_pState->viewerEditors, g_pState->viewers.Raw(), editor, viewer);
}

NUVRawCollPV& NUVSimWindowServices::GetViewerList(unsigned char controls, NUVFrmEditor* editor) {
  if (!g_pState) return EmptyRawList();
  NUVRawCollPV& result = controls ? g_pState->controlResults : g_pState->viewerResults;
  const NUVListPtrNUVFrmEditor& editors =
      controls ? g_pState->controlEditors : g_pState->viewerEditors;
  const NUVRawCollPV& items = controls ? g_pState->controls : g_pState->viewers.Raw();
  result.RemoveAll();
  editor = Resolve(editor);
  for (int i = 1; i <= editors.Size(); ++i) {
    if (editors[i] == editor) result.Append(items[i]);
  }
  return result;
}

long NUVSimWindowServices::IsA3DWindow(NUVFrmWindow* window) {
  if (!window) return E_FAIL;
  NUVViewer* viewer = window->GetViewer();
  if (!viewer) return E_FAIL;
  return viewer->GetMetaObject()->IsAKindOf(NUV3DViewer::MetaObject()) ? S_OK : E_FAIL;
}

NUVListPtrNUVFrmWindow& NUVSimWindowServices::GetWindowList(NUVFrmLayout* layout,
                                                            NUVFrmEditor* editor) {
  if (!g_pState) return EmptyWindowList();
  NUVListPtrNUVFrmWindow& result = g_pState->windowResults;
  result.RemoveAll();
  if (!layout) layout = NUVFrmLayout::GetCurrentLayout();
  editor = Resolve(editor);
  if (!layout || !editor) return result;
  NUVListPtrNUVFrmWindow all = layout->GetWindowList(0, 0);
  for (int i = 1; i <= all.Size(); ++i) {
    NUVFrmWindow* window = all[i];
    if (window && window->GetEditor() == editor && IsA3DWindow(window) != E_FAIL) {
      result.Append(window);
    }
  }
  return result;
}

long NUVSimWindowServices::LockDrawRequest(int lock) {
  NUVVisualizationScheduler::GetInstance()->LockDrawRequest(lock);
  NUVFrmLayout* layout = NUVFrmLayout::GetCurrentLayout();
  if (!layout) return S_OK;
  NUVListPtrNUVFrmWindow windows = layout->GetWindowList(0, 0);
  for (int i = 1; i <= windows.Size(); ++i) {
    NUVFrmWindow* window = windows[i];
    NUVViewer* viewer = window ? window->GetViewer() : nullptr;
    if (viewer) viewer->LockDrawRequest(lock);
    _drawLocked = lock == 1;
  }
  return S_OK;
}

long NUVSimWindowServices::IsDrawLocked(unsigned char& locked) {
  locked = _drawLocked;
  return S_OK;
}

long NUVSimWindowServices::AddTransientRep(NUVUnicodeString& name, NUV3DBagRep* rep) {
  if (!rep) return S_OK;
  if (!g_pState) return E_FAIL;
  NUVModelForRep3D* holder = static_cast<NUVModelForRep3D*>(g_pState->transientReps.Locate(name));
  if (!holder) {
    holder = NUVNew<NUVModelForRep3D>();
    if (!holder) return E_FAIL;
    g_pState->transientReps.Insert(name, holder);  // takes over the creation reference
  }
  NUVFrmEditor* editor = NUVFrmEditor::GetCurrentEditor();
  NUVISO* iso = editor ? editor->GetISO() : nullptr;
  if (!iso) return S_OK;
  // Taken out and put back so that the set shows the new representation.
  iso->RemoveElement(holder, 0);
  holder->SetRep(rep);
  iso->AddElement(holder);
  return S_OK;
}

long NUVSimWindowServices::RemoveTransientRep(NUVUnicodeString& name) {
  if (!g_pState) return S_OK;
  NUVModelForRep3D* holder = static_cast<NUVModelForRep3D*>(g_pState->transientReps.Locate(name));
  if (!holder) return S_OK;
  NUVFrmEditor* editor = NUVFrmEditor::GetCurrentEditor();
  if (!editor) return S_OK;
  if (NUVISO* iso = editor->GetISO()) iso->RemoveElement(holder, 0);
  g_pState->transientReps.Remove(name);
  holder->Release();
  return S_OK;
}

namespace {

enum AnimationChange { kStart, kStop };

long ChangeAnimation(AnimationChange change, unsigned char force) {
  unsigned char wasLocked = 0;
  NUVSimWindowServices::IsDrawLocked(wasLocked);
  if (!wasLocked) NUVSimWindowServices::LockDrawRequest(1);
  // A copy: the shared list may be refilled by whatever the viewpoints do.
  NUVListPtrNUVFrmWindow windows = NUVSimWindowServices::GetWindowList(nullptr, nullptr);
  long rc = E_FAIL;
  for (int i = 1; i <= windows.Size(); ++i) {
    NUVFrmWindow* window = windows[i];
    NUVViewer* viewer = window ? window->GetViewer() : nullptr;
    NUV3DViewpoint* viewpoint = viewer ? viewer->GetMain3DViewpoint() : nullptr;
    if (!viewpoint) continue;
    if (change == kStart) {
      if (force || viewpoint->GetAnimationState() == 0) {
        viewpoint->StartAnimation(nullptr);
        rc = S_OK;
      }
    } else if (force || viewpoint->GetAnimationState() != 0) {
      viewpoint->StopAnimation(0);
      rc = S_OK;
    }
  }
  if (!wasLocked) NUVSimWindowServices::LockDrawRequest(0);
  return rc;
}

}  // namespace

long NUVSimWindowServices::StartAnimation(unsigned char force) { return ChangeAnimation(kStart, force); }

long NUVSimWindowServices::StopAnimation(unsigned char force) { return ChangeAnimation(kStop, force); }

long NUVSimWindowServices::DrawWindows() {
  NUVListPtrNUVFrmWindow windows = GetWindowList(nullptr, nullptr);
  if (windows.Size() == 0) return S_OK;
  for (int i = 1; i <= windows.Size(); ++i) {
    NUVViewer* viewer = windows[i] ? windows[i]->GetViewer() : nullptr;
    if (viewer) viewer->Draw();
  }
  if (!g_pState) return S_OK;
  NUVFrmEditor* editor = NUVFrmEditor::GetCurrentEditor();
  // Indexed walks, bounds read each time: nothing here is expected to
  // change the registries, but a draw must not be able to run past them.
  for (int i = 1; i <= g_pState->controlEditors.Size(); ++i) {
    NUVVidCtl3DViewer* control = static_cast<NUVVidCtl3DViewer*>(g_pState->controls[i]);
    if (g_pState->controlEditors[i] == editor && control) control->DrawRequest();
  }
  for (int i = 1; i <= g_pState->viewerEditors.Size(); ++i) {
    NUVViewer* viewer = g_pState->viewers[i];
    if (g_pState->viewerEditors[i] == editor && viewer) viewer->Draw();
  }
  return S_OK;
}
