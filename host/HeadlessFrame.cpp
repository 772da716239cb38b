#include "HeadlessFrame.h"

#include "NUV3DViewer.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"

HeadlessFrame::HeadlessFrame() : _pEditor(new NUVFrmEditor), _pLayout(new NUVFrmLayout) {
  NUVFrmEditor::SetCurrentEditor(_pEditor);
  NUVFrmLayout::SetCurrentLayout(_pLayout);
  for (NUVViewer*& viewer : _pViewers) {
    viewer = new NUV3DViewer;
    auto* window = new NUVFrmWindow(_pEditor, viewer);
    _pLayout->AddWindow(window);
    window->Release();  // the layout holds it
  }
  _pLayout->SetCurrentWindow(_pLayout->GetWindowList(nullptr, nullptr)[1]);
}

HeadlessFrame::~HeadlessFrame() {
  NUVFrmEditor::SetCurrentEditor(nullptr);
  NUVFrmLayout::SetCurrentLayout(nullptr);
  for (NUVViewer* viewer : _pViewers) viewer->Release();
  _pLayout->Release();
  _pEditor->Release();
}

int HeadlessFrame::FramesDrawn() const { return _pViewers[0]->GetDrawCount(); }

void HeadlessFrame::RedrawAll() {
  for (NUVViewer* viewer : _pViewers) viewer->Draw();
}
