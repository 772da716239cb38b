// The error manager: its error list and references, its dialog, the
// "LinkToModel" column, and how it follows its editor's windows and closing.
#include "ErrorsFixture.h"

#include "NUVBaseUnknown_WR.h"
#include "NUVCallbackManager.h"
#include "NUVSimErrorDataCustom.h"
#include "NUVSimRaiseError.h"

namespace {

class ErrorManager : public ErrorsFixture {
 protected:
  static int LayoutCallbacks(const char* event) {
    return NUVFrmLayout::GetCurrentLayout()->GetCallbackManager()->CountCallbacks(event);
  }
};

}  // namespace

TEST_F(ErrorManager, ErrorListHandsOutReferences) {
  NUVISimErrorManager_var manager = Manager();
  EXPECT_EQ(manager->AddError(nullptr), E_INVALIDARG);
  CountingSimulationError* a = Add(manager, "A");
  CountingSimulationError* b = Add(manager, "B");
  b->SetInformationOnErrorType(NUVErrorTypeWarning);
  EXPECT_EQ(a->GetRefCount(), 1u) << "the manager holds one reference per error";
  for (int outside : {-1, 0, 3}) {
    NUVSimulationError* out = a;
    EXPECT_EQ(manager->GetError(outside, out), E_INVALIDARG) << outside;
    EXPECT_EQ(out, nullptr) << outside;
  }
  NUVListPtrNUVSimulationError all, ofType;
  all.Append(b);     // replaced, not released
  ofType.Append(b);  // appended to
  EXPECT_EQ(manager->GetErrors(all), S_OK);
  EXPECT_EQ(manager->GetErrorsOfType(NUVErrorTypeError, ofType), S_OK);
  ASSERT_EQ(all.Size(), 2);
  ASSERT_EQ(ofType.Size(), 2);
  EXPECT_EQ(all[1], a);
  EXPECT_EQ(all[2], b);
  EXPECT_EQ(ofType[2], a);
  EXPECT_EQ(a->GetRefCount(), 3u);
  EXPECT_EQ(b->GetRefCount(), 2u) << "b is not of the type: no reference for it there";
  for (NUVSimulationError* error : {all[1], all[2], ofType[2]}) error->Release();
  EXPECT_EQ(manager->ClearErrors(1), S_OK);
  EXPECT_EQ(CountingSimulationError::Live(), 0) << "clearing releases every error";
  EXPECT_EQ(Count(manager), 0);
}

TEST_F(ErrorManager, DialogIsKeptUntilItsDataIsDroppedThenRebuiltInTheStateItHad) {
  NUVISimErrorManager_var manager = Manager();
  for (bool restore : {false, true}) {
    DialogHandle before = Dialog(manager);
    ASSERT_TRUE(before);
    EXPECT_EQ(Dialog(manager).get(), before.get()) << "the same dialog while it is kept";
    if (restore) before->RestoreDialog();
    manager->ClearErrors(0);
    DialogHandle after = Dialog(manager);
    EXPECT_NE(after.get(), before.get()) << "rebuilt";
    EXPECT_EQ(after->IsDialogMinimized(), restore ? 0 : 1) << "in the old one's state";
    EXPECT_EQ(before->GetRefCount(), 1u) << "the manager let the old dialog go";
    EXPECT_NE(dynamic_cast<NUVSimErrorDataCustom*>(after->GetCustomData()), nullptr);
  }
}

// The alias itself shows in the rendered dialog (RaiseErrorTest); here what
// the column refuses or leaves as it was.
TEST_F(ErrorManager, LinkToModelColumnRefusesBadInputAndKeepsTheTextWithoutAlias) {
  auto* columns = new NUVSimErrorDataCustom;
  NUVString id;
  NUVUnicodeString text("before");
  int width = -1;
  unsigned char shown = 0;
  EXPECT_EQ(columns->GetColumnDescription(2, id, text, width, shown), E_FAIL);
  EXPECT_EQ(columns->GetColumnText("LinkToModel", nullptr, text), E_FAIL);
  auto* noAlias = new CountingSimulationError("K");
  noAlias->SetModelObject(NUVBaseUnknown_var(_Scene.Editor()));
  EXPECT_EQ(columns->GetColumnText("Other", noAlias, text), E_FAIL);
  for (NUVError* error : {static_cast<NUVError*>(noAlias), new NUVError("K", "C")}) {
    EXPECT_EQ(columns->GetColumnText("LinkToModel", error, text), S_OK);
    EXPECT_EQ(text, NUVUnicodeString("before"));
    error->Release();
  }
  EXPECT_EQ(width, -1);
  columns->Release();
}

TEST_F(ErrorManager, NonThreeDWindowSavesReportedErrorsAndThreeDWindowRestoresThem) {
  for (int restored = 0; restored <= 1; ++restored) {
    SCOPED_TRACE(restored ? "dialog restored" : "dialog minimized");
    FrameTestScene scene;  // a scene of its own per round
    Track(scene.Editor(), nullptr);
    NUVFrmWindow* threeD = scene.Add3DWindow();
    NUVFrmWindow* twoD = scene.Add2DWindow();
    NUVFrmWindow* panel = scene.AddWindowWithoutViewer();
    scene.Layout()->SetCurrentWindow(threeD);

    NUVISimErrorManager_var manager = Manager();
    CountingSimulationError* shown1 = Add(manager, "SHOWN_1");
    CountingSimulationError* shown2 = Add(manager, "SHOWN_2");
    ASSERT_EQ(NUVSimRaiseError::DisplaySimulationErrors(), S_OK);
    auto* plain = new NUVError("PLAIN", "TestCatalog");  // reported by another module
    plain->SetInformationOnErrorType(NUVErrorTypeWarning);
    NUVBaseUnknown_WR plainAlive(plain);
    Dialog(manager)->ReportError(plain, 0);
    plain->Release();
    if (restored) Dialog(manager)->RestoreDialog();
    NUVBaseUnknown_WR unreported(Add(manager, "NOT_SHOWN"));
    const int dialogs = NUVEzrErrorHandler::GetNumberOfOpenDialogs();
    scene.Layout()->SetCurrentWindow(twoD);
    EXPECT_EQ(NUVEzrErrorHandler::GetNumberOfOpenDialogs(), dialogs - 1) << "the dialog closed";
    EXPECT_FALSE(unreported.IsAlive()) << "an error the dialog never showed is dropped";
    EXPECT_EQ(Count(manager), 0);
    EXPECT_EQ(shown1->GetRefCount(), 1u) << "only the saved list holds the shown errors";

    CountingSimulationError* meanwhile = Add(manager, "MEANWHILE");
    scene.Layout()->SetCurrentWindow(panel);  // another non-3D window: nothing more saved
    EXPECT_EQ(Count(manager), 1) << "errors are saved only once; the newer one stays";

    scene.Layout()->SetCurrentWindow(threeD);
    ASSERT_EQ(Count(manager), 4) << "every saved error comes back, the plain one included";
    DialogHandle dialog = Dialog(manager);
    ASSERT_TRUE(dialog);
    std::vector<NUVError*> rows = Rows(dialog);
    ASSERT_EQ(rows.size(), 4u) << "the restored errors are displayed";
    EXPECT_EQ(rows[0], shown1) << "saved errors first, in their order";
    EXPECT_EQ(rows[1], shown2);
    EXPECT_EQ(rows[2]->GetMessageKey(), NUVString("PLAIN")) << "the plain error's stand-in";
    EXPECT_EQ(rows[2]->GetInformationOnErrorType(), NUVErrorTypeWarning);
    EXPECT_EQ(rows[3], meanwhile) << "then those collected meanwhile";
    EXPECT_EQ(dialog->IsDialogMinimized(), restored ? 0 : 1) << "the dialog's state is kept";
    EXPECT_EQ(shown1->GetRefCount(), 2u) << "the manager's list and the dialog's row";
    dialog = nullptr;
    manager = nullptr;
    Forget(scene.Editor(), nullptr);
    EXPECT_FALSE(plainAlive.IsAlive()) << "the plain error went with the manager";
  }
}

TEST_F(ErrorManager, OtherEditorsWindowsChangeNothingAndWithoutDialogErrorsAreDropped) {
  NUVFrmWindow* threeD = _Scene.Add3DWindow();
  NUVFrmWindow* twoD = _Scene.Add2DWindow();
  NUVFrmEditor* other = _Scene.AddEditor();
  NUVISimErrorManager_var manager = Manager();
  Add(manager, "DROPPED");
  _Scene.Layout()->SetCurrentWindow(twoD);
  EXPECT_EQ(CountingSimulationError::Live(), 0) << "no dialog, nothing saved: errors dropped";

  Add(manager, "SHOWN");
  _Scene.Layout()->SetCurrentWindow(threeD);  // displays: a minimized dialog
  Add(manager, "PENDING");
  DialogHandle dialog = Dialog(manager);
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(dialog->IsDialogMinimized()) << "no dialog was ever closed: minimized";
  dialog->RestoreDialog();
  _Scene.Layout()->SetCurrentWindow(_Scene.Add2DWindow(other));
  _Scene.Layout()->SetCurrentWindow(_Scene.Add3DWindow(other));
  EXPECT_EQ(Count(manager), 2);
  EXPECT_EQ(Dialog(manager).get(), dialog.get()) << "the dialog stayed";
  EXPECT_EQ(dialog->GetNumberOfReportedErrors(), 1) << "nothing was displayed";
  EXPECT_FALSE(dialog->IsDialogMinimized());
}

TEST_F(ErrorManager, ClosingTheEditorRemovesAndDisconnectsItsManagers) {
  NUVFrmEditor* other = _Scene.AddEditor();
  const int closeCallbacks = LayoutCallbacks(NUVFrmEditor::EDITOR_CLOSE_ENDED());
  const int activationCallbacks = LayoutCallbacks(NUVFrmWindow::WINDOW_ACTIVATED());
  auto* refinement = new NUVFrmEditor;
  NUVISimErrorManager_var held = Manager(nullptr, refinement);  // held by us too
  Add(held, "B");
  Add(Manager(), "A");
  NUVBaseUnknown_WR weak(Manager()->GetImpl());  // the registry holds the only reference
  const int entries = PLMGetSimErrorManager::GetNumberOfEntries();
  other->Close(_Scene.Layout());  // another editor: the managers stay
  EXPECT_TRUE(weak.IsAlive());
  EXPECT_EQ(PLMGetSimErrorManager::GetNumberOfEntries(), entries);
  _Scene.Editor()->Close(_Scene.Layout());
  EXPECT_FALSE(weak.IsAlive()) << "the closed editor's manager is gone";
  EXPECT_EQ(PLMGetSimErrorManager::GetNumberOfEntries(), entries - 2) << "both entries went";
  EXPECT_EQ(LayoutCallbacks(NUVFrmEditor::EDITOR_CLOSE_ENDED()), closeCallbacks);
  EXPECT_EQ(LayoutCallbacks(NUVFrmWindow::WINDOW_ACTIVATED()), activationCallbacks)
      << "no manager hears later window activations";
  EXPECT_EQ(Count(held), 1) << "our handle keeps the other manager and its errors";
  _Scene.Layout()->SetCurrentWindow(_Scene.Add2DWindow());
  EXPECT_EQ(Count(held), 1) << "a disconnected manager no longer follows the windows";
  refinement->Release();
}
