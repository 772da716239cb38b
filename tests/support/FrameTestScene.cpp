#include "FrameTestScene.h"

#include "NUV2DViewer.h"
#include "NUV3DViewer.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVNotification.h"

FrameTestScene::FrameTestScene()
    : _pLayout(new NUVFrmLayout),
      _pFormerEditor(NUVFrmEditor::GetCurrentEditor()),
      _pFormerLayout(NUVFrmLayout::GetCurrentLayout()),
      _FormerAutomaticSwaps(NUVViewer::AreAutomaticSwapsEnabled()) {
  if (_pFormerEditor) _pFormerEditor->AddRef();
  if (_pFormerLayout) _pFormerLayout->AddRef();
  _Editors.push_back(new NUVFrmEditor);
  NUVFrmEditor::SetCurrentEditor(_Editors.front());
  NUVFrmLayout::SetCurrentLayout(_pLayout);
}

FrameTestScene::~FrameTestScene() {
  NUVFrmEditor::SetCurrentEditor(_pFormerEditor);
  NUVFrmLayout::SetCurrentLayout(_pFormerLayout);
  if (_pFormerEditor) _pFormerEditor->Release();
  if (_pFormerLayout) _pFormerLayout->Release();
  NUVViewer::EnableAutomaticSwaps(_FormerAutomaticSwaps);
  _pLayout->Release();
  for (NUVFrmEditor* e : _Editors) e->Release();
}

NUVFrmEditor* FrameTestScene::AddEditor() {
  _Editors.push_back(new NUVFrmEditor);
  return _Editors.back();
}

NUVFrmWindow* FrameTestScene::AddWindow(NUVFrmEditor* editor, NUVViewer* viewer) {
  NUVFrmWindow* window = new NUVFrmWindow(editor ? editor : Editor(), viewer);
  _pLayout->AddWindow(window);
  window->Release();
  return window;
}

NUVFrmWindow* FrameTestScene::Add3DWindow(NUVFrmEditor* editor) {
  NUV3DViewer* viewer = new NUV3DViewer;
  NUVFrmWindow* window = AddWindow(editor, viewer);
  viewer->Release();
  return window;
}

NUVFrmWindow* FrameTestScene::Add2DWindow(NUVFrmEditor* editor) {
  NUV2DViewer* viewer = new NUV2DViewer;
  NUVFrmWindow* window = AddWindow(editor, viewer);
  viewer->Release();
  return window;
}

NUVFrmWindow* FrameTestScene::AddWindowWithoutViewer(NUVFrmEditor* e) { return AddWindow(e, nullptr); }

void FrameEventRecorder::OnEvent(const char* event, void* publisher, NUVNotification*,
                                 void* clientData, int id) {
  _Calls.push_back({event ? event : "", publisher, clientData, id});
  if (_pThen) _pThen(this, publisher);
}

int FrameEventRecorder::Count(const char* event) const {
  int n = 0;
  for (const Call& c : _Calls) n += c.event == event;
  return n;
}
