#include "NUVFrmLayout.h"

#include <algorithm>

#include "NUVCallbackManager.h"
#include "NUVFrmEditor.h"
#include "NUVFrmWindow.h"
#include "NUVViewer.h"

NUV_IMPLEMENT_CLASS(NUVFrmLayout, NUVBaseUnknown, "VelloranPlatform")

namespace {
NUVFrmLayout* g_pCurrentLayout = nullptr;
}  // namespace

NUVFrmLayout::NUVFrmLayout()
    : _pCallbackManager(new NUVCallbackManager(this)), _pCurrentWindow(nullptr) {}

NUVFrmLayout::~NUVFrmLayout() {
  _pCurrentWindow = nullptr;
  std::vector<NUVFrmWindow*> windows;
  windows.swap(_Windows);
  for (NUVFrmWindow* w : windows) w->Release();
  _pCallbackManager->Release();
  _pCallbackManager = nullptr;
}

NUVFrmLayout* NUVFrmLayout::GetCurrentLayout() { return g_pCurrentLayout; }

void NUVFrmLayout::SetCurrentLayout(NUVFrmLayout* layout) {
  if (layout == g_pCurrentLayout) return;
  if (layout) layout->AddRef();
  NUVFrmLayout* old = g_pCurrentLayout;
  g_pCurrentLayout = layout;
  if (old) old->Release();
}

int NUVFrmLayout::Contains(NUVFrmWindow* window) const {
  return window && std::find(_Windows.begin(), _Windows.end(), window) != _Windows.end();
}

long NUVFrmLayout::AddWindow(NUVFrmWindow* window) {
  if (!window) return E_INVALIDARG;
  if (Contains(window)) return E_FAIL;
  window->AddRef();
  _Windows.push_back(window);
  return S_OK;
}

long NUVFrmLayout::DeleteWindow(NUVFrmWindow* window) {
  auto it = std::find(_Windows.begin(), _Windows.end(), window);
  if (!window || it == _Windows.end()) return E_FAIL;
  _Windows.erase(it);
  if (_pCurrentWindow == window) _pCurrentWindow = nullptr;
  // The list's reference keeps the window alive through the callbacks; the
  // layout itself may lose its last reference in one of them.
  AddRef();
  NUVCallbackManager* manager = _pCallbackManager;
  manager->DispatchCallbacks(NUVFrmWindow::WINDOW_DELETED(), nullptr, window);
  window->Release();
  Release();
  return S_OK;
}

NUVListPtrNUVFrmWindow NUVFrmLayout::GetWindowList(NUVFrmEditor* editor,
                                                   const NUVMetaClass* viewerKind) const {
  NUVListPtrNUVFrmWindow list;
  for (NUVFrmWindow* w : _Windows) {
    if (editor && w->GetEditor() != editor) continue;
    if (viewerKind) {
      NUVViewer* viewer = w->GetViewer();
      if (!viewer || !viewer->GetMetaObject()->IsAKindOf(viewerKind)) continue;
    }
    list.Append(w);
  }
  return list;
}

long NUVFrmLayout::SetCurrentWindow(NUVFrmWindow* window) {
  if (window && !Contains(window)) return E_FAIL;
  if (window == _pCurrentWindow) return S_OK;
  _pCurrentWindow = window;
  if (!window) return S_OK;
  AddRef();
  window->AddRef();
  _pCallbackManager->DispatchCallbacks(NUVFrmWindow::WINDOW_ACTIVATED(), nullptr, window);
  window->Release();
  Release();
  return S_OK;
}
