#include "NUVFrmWindow.h"

#include "NUVFrmEditor.h"
#include "NUVViewer.h"

NUV_IMPLEMENT_CLASS(NUVFrmWindow, NUVBaseUnknown, "VelloranPlatform")

NUVFrmWindow::NUVFrmWindow(NUVFrmEditor* editor, NUVViewer* viewer)
    : _pEditor(editor), _pViewer(viewer) {
  if (_pEditor) _pEditor->AddRef();
  if (_pViewer) _pViewer->AddRef();
}

NUVFrmWindow::~NUVFrmWindow() {
  if (_pViewer) _pViewer->Release();
  if (_pEditor) _pEditor->Release();
  _pViewer = nullptr;
  _pEditor = nullptr;
}
