#include "NUVFrmEditor.h"

#include "NUVCallbackManager.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVISO.h"
#include "NUVPathElement.h"

NUV_IMPLEMENT_CLASS(NUVFrmEditor, NUVBaseUnknown, "VelloranPlatform")

namespace {
NUVFrmEditor* g_pCurrentEditor = nullptr;
}  // namespace

NUVFrmEditor::NUVFrmEditor()
    : _pISO(new NUVISO), _pActivePath(new NUVPathElement), _Closed(0) {}

NUVFrmEditor::~NUVFrmEditor() {
  if (_pISO) _pISO->Release();
  _pISO = nullptr;
  _pActivePath->Release();
}

NUVFrmEditor* NUVFrmEditor::GetCurrentEditor() { return g_pCurrentEditor; }

void NUVFrmEditor::SetCurrentEditor(NUVFrmEditor* editor) {
  if (editor == g_pCurrentEditor) return;
  if (editor) editor->AddRef();
  NUVFrmEditor* old = g_pCurrentEditor;
  g_pCurrentEditor = editor;
  if (old) old->Release();
}

void NUVFrmEditor::SetISO(NUVISO* iso) {
  if (iso) iso->AddRef();
  NUVISO* old = _pISO;
  _pISO = iso;
  if (old) old->Release();
}

void NUVFrmEditor::Close(NUVFrmLayout* layout) {
  // Subscribers may drop the last references to this editor or the layout.
  AddRef();
  if (!layout) layout = NUVFrmLayout::GetCurrentLayout();
  if (layout) layout->AddRef();
  _Closed = 1;
  if (layout) {
    NUVListPtrNUVFrmWindow windows = layout->GetWindowList(this, nullptr);
    for (int i = 1; i <= windows.Size(); ++i) layout->DeleteWindow(windows[i]);
    layout->GetCallbackManager()->DispatchCallbacks(EDITOR_CLOSE_ENDED(), nullptr, this);
  }
  if (g_pCurrentEditor == this) SetCurrentEditor(nullptr);
  if (layout) layout->Release();
  Release();
}
