// The application frame: current editor and layout, window list, and the
// window and editor events the layout publishes.
#include <gtest/gtest.h>

#include "FrameTestScene.h"
#include "NUV3DViewer.h"
#include "NUVBaseUnknown_WR.h"
#include "NUVCallbackManager.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"

namespace {

NUVSubscriberMethod Record() { return NUVSubscriberMethodCast(&FrameEventRecorder::OnEvent); }

TEST(FrmLayout, CurrentEditorIsHeldUntilReplacedAndWindowListsFilter) {
  FrameTestScene scene;  // restores the former current editor and layout
  auto* editor = new NUVFrmEditor;
  NUVFrmEditor::SetCurrentEditor(editor);
  NUVFrmEditor::SetCurrentEditor(editor);  // again: no second reference
  NUVBaseUnknown_WR weakEditor(editor);
  editor->Release();
  EXPECT_TRUE(weakEditor.IsAlive()) << "the current editor must be kept alive";
  NUVFrmEditor::SetCurrentEditor(scene.Editor());
  EXPECT_FALSE(weakEditor.IsAlive()) << "replacing the current editor must release it";

  NUVFrmWindow* a = scene.Add3DWindow();
  NUVFrmWindow* b = scene.Add2DWindow();
  NUVFrmWindow* c = scene.Add3DWindow(scene.AddEditor());
  NUVFrmWindow* d = scene.AddWindowWithoutViewer();
  NUVListPtrNUVFrmWindow all = scene.Layout()->GetWindowList(0, 0);
  ASSERT_EQ(all.Size(), 4);
  EXPECT_TRUE(all[1] == a && all[2] == b && all[3] == c && all[4] == d);
  NUVListPtrNUVFrmWindow mine3D = scene.Layout()->GetWindowList(scene.Editor(), NUV3DViewer::MetaObject());
  EXPECT_TRUE(mine3D.Size() == 1 && mine3D[1] == a);
  EXPECT_EQ(scene.Layout()->GetWindowList(scene.Editor(), nullptr).Size(), 3);
  EXPECT_EQ(scene.Layout()->GetWindowList(nullptr, NUVViewer::MetaObject()).Size(), 3);
  all.RemoveAll();  // a copy: the layout keeps its windows
  EXPECT_EQ(scene.Layout()->AddWindow(a), E_FAIL);
  EXPECT_EQ(scene.Layout()->AddWindow(nullptr), E_INVALIDARG);
  EXPECT_EQ(scene.Layout()->GetWindowCount(), 4);
}

// During WINDOW_DELETED the window is out of the list but still alive.
struct DeletionProbe {
  NUVFrmLayout* layout;
  int windowsSeen = -1;
  NUVFrmEditor* editorSeen = nullptr;
  NUVFrmWindow* currentSeen = reinterpret_cast<NUVFrmWindow*>(1);
};

void ProbeDeletion(FrameEventRecorder* recorder, void* publisher) {
  auto* probe = static_cast<DeletionProbe*>(recorder->_pContext);
  probe->windowsSeen = probe->layout->GetWindowList(0, 0).Size();
  probe->editorSeen = static_cast<NUVFrmWindow*>(publisher)->GetEditor();
  probe->currentSeen = probe->layout->GetCurrentWindow();
}

TEST(FrmLayout, ActivationAndDeletionArePublishedWithTheWindowAsPublisher) {
  FrameTestScene scene;
  NUVFrmWindow* a = scene.Add3DWindow();
  NUVFrmWindow* b = scene.Add2DWindow();
  FrameEventRecorder activated, deleted;
  AddCallback(&activated, scene.Layout()->GetCallbackManager(), NUVFrmWindow::WINDOW_ACTIVATED(),
              Record(), nullptr);
  EXPECT_EQ(scene.Layout()->SetCurrentWindow(b), S_OK);
  EXPECT_EQ(scene.Layout()->SetCurrentWindow(b), S_OK);  // already current: silent
  EXPECT_EQ(scene.Layout()->SetCurrentWindow(a), S_OK);
  NUVFrmWindow* stranger = new NUVFrmWindow(scene.Editor(), nullptr);
  EXPECT_EQ(scene.Layout()->SetCurrentWindow(stranger), E_FAIL) << "not in this layout";
  EXPECT_EQ(scene.Layout()->DeleteWindow(stranger), E_FAIL);
  stranger->Release();
  ASSERT_EQ(activated.Calls().size(), 2u);
  EXPECT_TRUE(activated.Calls()[0].publisher == b && activated.Calls()[1].publisher == a);

  NUVBaseUnknown_WR weak(a);
  DeletionProbe probe{scene.Layout()};
  deleted._pThen = &ProbeDeletion;
  deleted._pContext = &probe;
  AddCallback(&deleted, scene.Layout(), NUVFrmWindow::WINDOW_DELETED(), Record(), nullptr);
  EXPECT_EQ(scene.Layout()->DeleteWindow(a), S_OK);
  ASSERT_EQ(deleted.Calls().size(), 1u);
  EXPECT_TRUE(probe.windowsSeen == 1 && probe.editorSeen == scene.Editor() && !probe.currentSeen);
  EXPECT_FALSE(weak.IsAlive()) << "the layout held the last reference to the window";
}

TEST(FrmEditor, CloseDeletesItsWindowsThenPublishesWithTheEditorAsPublisher) {
  FrameTestScene scene;
  NUVFrmEditor* other = scene.AddEditor();
  NUVFrmWindow* mine1 = scene.Add3DWindow();
  NUVFrmWindow* theirs = scene.Add3DWindow(other);
  NUVFrmWindow* mine2 = scene.AddWindowWithoutViewer();
  FrameEventRecorder recorder;
  AddCallback(&recorder, scene.Layout(), NUVFrmWindow::WINDOW_DELETED(), Record(), nullptr);
  AddCallback(&recorder, scene.Layout(), NUVFrmEditor::EDITOR_CLOSE_ENDED(), Record(), nullptr);
  NUVFrmEditor* editor = scene.Editor();
  editor->Close();
  ASSERT_EQ(recorder.Calls().size(), 3u);
  EXPECT_TRUE(recorder.Calls()[0].publisher == mine1 && recorder.Calls()[1].publisher == mine2);
  EXPECT_EQ(recorder.Calls()[2].event, NUVFrmEditor::EDITOR_CLOSE_ENDED());
  EXPECT_EQ(recorder.Calls()[2].publisher, static_cast<void*>(editor));
  ASSERT_EQ(scene.Layout()->GetWindowCount(), 1);
  EXPECT_EQ(scene.Layout()->GetWindowList(0, 0)[1], theirs);
  EXPECT_EQ(NUVFrmEditor::GetCurrentEditor(), nullptr);
  EXPECT_FALSE(other->IsClosed());
}

}  // namespace
