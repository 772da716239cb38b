// The application frame: current editor and layout, window list, and the
// window and editor events the layout publishes.
#include <gtest/gtest.h>

#include "FrameTestScene.h"
#include "NUV2DViewer.h"
#include "NUV3DBagRep.h"
#include "NUV3DViewer.h"
#include "NUVBaseUnknown_WR.h"
#include "NUVCallbackManager.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVISO.h"
#include "NUVModelForRep3D.h"

namespace {

NUVSubscriberMethod Record() { return NUVSubscriberMethodCast(&FrameEventRecorder::OnEvent); }

TEST(FrmCurrent, CurrentEditorAndLayoutHoldAReferenceUntilReplaced) {
  NUVFrmEditor* formerEditor = NUVFrmEditor::GetCurrentEditor();
  NUVFrmLayout* formerLayout = NUVFrmLayout::GetCurrentLayout();
  if (formerEditor) formerEditor->AddRef();
  if (formerLayout) formerLayout->AddRef();

  auto* editor = new NUVFrmEditor;
  auto* layout = new NUVFrmLayout;
  NUVFrmEditor::SetCurrentEditor(editor);
  NUVFrmLayout::SetCurrentLayout(layout);
  EXPECT_EQ(editor->GetRefCount(), 2u);
  EXPECT_EQ(layout->GetRefCount(), 2u);
  NUVFrmEditor::SetCurrentEditor(editor);  // again: no second reference
  EXPECT_EQ(editor->GetRefCount(), 2u);

  NUVBaseUnknown_WR weakEditor(editor);
  editor->Release();
  EXPECT_TRUE(weakEditor.IsAlive()) << "the current editor must be kept alive";
  NUVFrmEditor::SetCurrentEditor(nullptr);
  EXPECT_FALSE(weakEditor.IsAlive()) << "replacing the current editor must release it";
  EXPECT_EQ(NUVFrmEditor::GetCurrentEditor(), nullptr);

  NUVFrmLayout::SetCurrentLayout(formerLayout);
  EXPECT_EQ(layout->GetRefCount(), 1u);
  layout->Release();
  NUVFrmEditor::SetCurrentEditor(formerEditor);
  if (formerEditor) formerEditor->Release();
  if (formerLayout) formerLayout->Release();
}

TEST(FrmLayout, WindowListKeepsOrderAndFiltersByEditorAndViewerKind) {
  FrameTestScene scene;
  NUVFrmEditor* other = scene.AddEditor();
  NUVFrmWindow* a = scene.Add3DWindow();
  NUVFrmWindow* b = scene.Add2DWindow();
  NUVFrmWindow* c = scene.Add3DWindow(other);
  NUVFrmWindow* d = scene.AddWindowWithoutViewer();

  NUVListPtrNUVFrmWindow all = scene.Layout()->GetWindowList(0, 0);
  ASSERT_EQ(all.Size(), 4);
  EXPECT_EQ(all[1], a);
  EXPECT_EQ(all[2], b);
  EXPECT_EQ(all[3], c);
  EXPECT_EQ(all[4], d);

  NUVListPtrNUVFrmWindow mine = scene.Layout()->GetWindowList(scene.Editor(), nullptr);
  ASSERT_EQ(mine.Size(), 3);
  EXPECT_EQ(mine[3], d);

  NUVListPtrNUVFrmWindow mine3D = scene.Layout()->GetWindowList(scene.Editor(), NUV3DViewer::MetaObject());
  ASSERT_EQ(mine3D.Size(), 1);
  EXPECT_EQ(mine3D[1], a);

  // Any viewer at all: the window without one is left out.
  EXPECT_EQ(scene.Layout()->GetWindowList(nullptr, NUVViewer::MetaObject()).Size(), 3);

  // The list is a copy: changing it leaves the layout alone.
  all.RemoveAll();
  EXPECT_EQ(scene.Layout()->GetWindowCount(), 4);
  EXPECT_EQ(scene.Layout()->AddWindow(a), E_FAIL);
  EXPECT_EQ(scene.Layout()->AddWindow(nullptr), E_INVALIDARG);
  EXPECT_EQ(scene.Layout()->GetWindowCount(), 4);
}

TEST(FrmLayout, ActivationIsPublishedWithTheWindowAsPublisher) {
  FrameTestScene scene;
  NUVFrmWindow* a = scene.Add3DWindow();
  NUVFrmWindow* b = scene.Add2DWindow();
  FrameEventRecorder viaLayout;
  FrameEventRecorder viaManager;
  int data = 0;
  EXPECT_NE(AddCallback(&viaLayout, scene.Layout(), NUVFrmWindow::WINDOW_ACTIVATED(), Record(), &data), 0);
  EXPECT_NE(AddCallback(&viaManager, scene.Layout()->GetCallbackManager(),
                        NUVFrmWindow::WINDOW_ACTIVATED(), Record(), nullptr),
            0);

  EXPECT_EQ(scene.Layout()->SetCurrentWindow(a), S_OK);
  EXPECT_EQ(scene.Layout()->SetCurrentWindow(a), S_OK);  // already current: silent
  EXPECT_EQ(scene.Layout()->SetCurrentWindow(b), S_OK);
  EXPECT_EQ(scene.Layout()->GetCurrentWindow(), b);

  ASSERT_EQ(viaLayout.Calls().size(), 2u);
  EXPECT_EQ(viaLayout.Calls()[0].publisher, static_cast<void*>(a));
  EXPECT_EQ(viaLayout.Calls()[1].publisher, static_cast<void*>(b));
  EXPECT_EQ(viaLayout.Calls()[0].clientData, &data);
  EXPECT_EQ(viaManager.Calls().size(), 2u);

  // A window of another layout is refused and nothing is published.
  NUVFrmWindow* stranger = new NUVFrmWindow(scene.Editor(), nullptr);
  EXPECT_EQ(scene.Layout()->SetCurrentWindow(stranger), E_FAIL);
  EXPECT_EQ(scene.Layout()->GetCurrentWindow(), b);
  stranger->Release();
  EXPECT_EQ(scene.Layout()->SetCurrentWindow(nullptr), S_OK);
  EXPECT_EQ(viaLayout.Calls().size(), 2u);
}

// During WINDOW_DELETED the window is out of the list but still alive; it is
// destroyed once the callbacks are done.
struct DeletionProbe {
  NUVFrmLayout* layout;
  int windowsSeen = -1;
  NUVFrmEditor* editorSeen = nullptr;
  NUVFrmWindow* currentSeen = reinterpret_cast<NUVFrmWindow*>(1);
};

void ProbeDeletion(FrameEventRecorder* recorder, void* publisher) {
  auto* probe = static_cast<DeletionProbe*>(recorder->_pContext);
  auto* window = static_cast<NUVFrmWindow*>(publisher);
  probe->windowsSeen = probe->layout->GetWindowList(0, 0).Size();
  probe->editorSeen = window->GetEditor();
  probe->currentSeen = probe->layout->GetCurrentWindow();
}

TEST(FrmLayout, DeletionIsPublishedBeforeTheWindowGoes) {
  FrameTestScene scene;
  NUVFrmWindow* a = scene.Add3DWindow();
  scene.Add2DWindow();
  scene.Layout()->SetCurrentWindow(a);
  NUVBaseUnknown_WR weak(a);

  DeletionProbe probe{scene.Layout()};
  FrameEventRecorder recorder;
  recorder._pThen = &ProbeDeletion;
  recorder._pContext = &probe;
  AddCallback(&recorder, scene.Layout(), NUVFrmWindow::WINDOW_DELETED(), Record(), nullptr);

  EXPECT_EQ(scene.Layout()->DeleteWindow(a), S_OK);
  ASSERT_EQ(recorder.Calls().size(), 1u);
  EXPECT_EQ(recorder.Calls()[0].publisher, static_cast<void*>(a));
  EXPECT_EQ(probe.windowsSeen, 1);
  EXPECT_EQ(probe.editorSeen, scene.Editor());
  EXPECT_EQ(probe.currentSeen, nullptr);
  EXPECT_FALSE(weak.IsAlive()) << "the layout held the last reference to the window";

  // Deleting it again, or a window the layout never had, publishes nothing.
  NUVFrmWindow* stranger = new NUVFrmWindow(nullptr, nullptr);
  EXPECT_EQ(scene.Layout()->DeleteWindow(stranger), E_FAIL);
  EXPECT_EQ(scene.Layout()->DeleteWindow(nullptr), E_FAIL);
  stranger->Release();
  EXPECT_EQ(recorder.Calls().size(), 1u);
}

TEST(FrmEditor, CloseDeletesItsWindowsThenPublishesWithTheEditorAsPublisher) {
  FrameTestScene scene;
  NUVFrmEditor* other = scene.AddEditor();
  NUVFrmWindow* mine1 = scene.Add3DWindow();
  NUVFrmWindow* theirs = scene.Add3DWindow(other);
  NUVFrmWindow* mine2 = scene.AddWindowWithoutViewer();
  FrameEventRecorder recorder;
  int data = 0;
  AddCallback(&recorder, scene.Layout(), NUVFrmWindow::WINDOW_DELETED(), Record(), nullptr);
  AddCallback(&recorder, scene.Layout(), NUVFrmEditor::EDITOR_CLOSE_ENDED(), Record(), &data);

  NUVFrmEditor* editor = scene.Editor();
  editor->Close();

  ASSERT_EQ(recorder.Calls().size(), 3u);
  EXPECT_EQ(recorder.Calls()[0].publisher, static_cast<void*>(mine1));
  EXPECT_EQ(recorder.Calls()[1].publisher, static_cast<void*>(mine2));
  EXPECT_EQ(recorder.Calls()[2].event, NUVFrmEditor::EDITOR_CLOSE_ENDED());
  EXPECT_EQ(recorder.Calls()[2].publisher, static_cast<void*>(editor));
  EXPECT_EQ(recorder.Calls()[2].clientData, &data);
  NUVListPtrNUVFrmWindow left = scene.Layout()->GetWindowList(0, 0);
  ASSERT_EQ(left.Size(), 1);
  EXPECT_EQ(left[1], theirs);
  EXPECT_EQ(NUVFrmEditor::GetCurrentEditor(), nullptr);
  EXPECT_TRUE(editor->IsClosed());
  EXPECT_FALSE(other->IsClosed());
}

TEST(FrmEditor, InteractiveSetHoldsOneReferencePerElement) {
  auto* editor = new NUVFrmEditor;
  NUVISO* iso = editor->GetISO();
  ASSERT_NE(iso, nullptr);
  auto* holder = new NUVModelForRep3D;
  auto* rep = new NUV3DBagRep;
  holder->SetRep(rep);
  EXPECT_EQ(rep->GetRefCount(), 2u);

  iso->AddElement(holder);
  iso->AddElement(holder);  // once only
  iso->AddElement(nullptr);
  EXPECT_EQ(iso->Size(), 1);
  EXPECT_EQ(iso->GetElement(1), holder);
  EXPECT_EQ(holder->GetRefCount(), 2u);
  EXPECT_EQ(iso->GetAddCount(), 3);

  iso->RemoveElement(holder, 0);
  iso->RemoveElement(holder, 0);  // absent: nothing to give back
  EXPECT_EQ(iso->Size(), 0);
  EXPECT_EQ(holder->GetRefCount(), 1u);
  EXPECT_EQ(iso->GetRemoveCount(), 2);

  // Destroying the editor empties its set; the set gives its references back.
  iso->AddElement(holder);
  NUVBaseUnknown_WR weakIso(iso);
  editor->Release();
  EXPECT_FALSE(weakIso.IsAlive());
  EXPECT_EQ(holder->GetRefCount(), 1u);

  holder->SetRep(nullptr);
  EXPECT_EQ(rep->GetRefCount(), 1u);
  holder->Release();
  rep->Release();
}

}  // namespace
