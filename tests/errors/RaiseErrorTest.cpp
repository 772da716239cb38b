// Raising, displaying and clearing simulation errors through the façade.
#include "ErrorsFixture.h"

#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVSimRaiseError.h"

namespace {

class RaiseError : public ErrorsFixture {
 protected:
  static int ErrorCount() {
    NUVISimErrorManager_var manager;
    PLMGetSimErrorManager::Get(manager, 0, nullptr, nullptr);
    int count = 0;
    if (manager) manager->GetNumberOfErrors(count);
    return count;
  }
  static NUVSimulationError* ErrorAt(int position) {
    NUVSimulationError* error = nullptr;
    Manager()->GetError(position, error);
    if (error) error->Release();  // the manager keeps it
    return error;
  }
  static std::string KeyOf(NUVError* error) { return error->GetMessageKey().Std(); }
};

}  // namespace

TEST_F(RaiseError, DisplayReportsOnlyWhatTheDialogDoesNotShowYet) {
  NUVSimRaiseError::RaiseSimulationError("E1", "TestCatalog", NUVErrorTypeError);
  NUVSimRaiseError::RaiseSimulationError("E2", "TestCatalog", NUVErrorTypeWarning);
  NUVSimRaiseError::RaiseSimulationError("E3", "TestCatalog", NUVErrorTypeFatal);
  EXPECT_EQ(ErrorCount(), 3);
  EXPECT_EQ(NUVSimRaiseError::DisplaySimulationErrors(), S_OK);
  DialogHandle dialog = Dialog(Manager());
  std::vector<NUVError*> rows = Rows(dialog);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(KeyOf(rows[0]), "E1");
  EXPECT_EQ(KeyOf(rows[1]), "E2");
  EXPECT_EQ(KeyOf(rows[2]), "E3");
  EXPECT_EQ(rows[1]->GetInformationOnErrorType(), NUVErrorTypeWarning);
  EXPECT_EQ(rows[0], ErrorAt(1)) << "the dialog shows the manager's very errors";

  EXPECT_EQ(NUVSimRaiseError::DisplaySimulationErrors(), S_OK);
  EXPECT_EQ(dialog->GetNumberOfReportedErrors(), 3) << "nothing new to report";
  EXPECT_EQ(rows[0]->GetRefCount(), 2u) << "the manager's and the dialog's references only";

  NUVSimRaiseError::RaiseSimulationError("E4", "TestCatalog", NUVErrorTypeError);
  EXPECT_EQ(NUVSimRaiseError::DisplaySimulationErrors(), S_OK);
  rows = Rows(dialog);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(KeyOf(rows[3]), "E4");
  EXPECT_EQ(KeyOf(rows[0]), "E1") << "earlier rows were not reported again";
  EXPECT_TRUE(dialog->IsDialogMinimized()) << "displaying does not bring the dialog up";
}

TEST_F(RaiseError, ModelObjectAndValueAreAttachedWhenGiven) {
  auto* model = new AliasedObject("Gripper.2");
  NUVBaseUnknown_var modelHandle(model);
  NUVBaseUnknown_var noModel;
  NUVSimValue value(2.5);
  NUVSimValue empty;
  NUVSimValue fineOnly(0.5);
  NUVSimRaiseError::RaiseSimulationError("FULL", "TestCatalog", NUVErrorTypeError, modelHandle,
                                         value);
  NUVSimRaiseError::RaiseSimulationError("EMPTY_VALUE", "TestCatalog", NUVErrorTypeError,
                                         modelHandle, empty);
  NUVSimRaiseError::RaiseSimulationError("MODEL_ONLY", "TestCatalog", NUVErrorTypeError,
                                         modelHandle);
  NUVSimRaiseError::RaiseSimulationError("NOTHING", "TestCatalog", NUVErrorTypeInformation);
  NUVSimRaiseError::RaiseSimulationError("FINE_ONLY", "TestCatalog", NUVErrorTypeError, noModel,
                                         fineOnly);
  ASSERT_EQ(ErrorCount(), 5);

  NUVSimValue got(99.0);
  NUVSimulationError* full = ErrorAt(1);
  EXPECT_EQ(full->GetModelObject().get(), model);
  EXPECT_EQ(full->GetSimValue(got), S_OK);
  EXPECT_EQ(got, NUVSimValue(2.5));
  EXPECT_FALSE(ErrorAt(2)->HasSimValue()) << "an empty value is not attached";
  EXPECT_EQ(ErrorAt(2)->GetModelObject().get(), model);
  EXPECT_FALSE(ErrorAt(3)->HasSimValue());
  EXPECT_EQ(ErrorAt(3)->GetModelObject().get(), model);
  EXPECT_FALSE(ErrorAt(4)->GetModelObject());
  EXPECT_FALSE(ErrorAt(4)->HasSimValue());
  EXPECT_EQ(ErrorAt(4)->GetInformationOnErrorType(), NUVErrorTypeInformation);
  EXPECT_FALSE(ErrorAt(5)->GetModelObject());
  EXPECT_EQ(ErrorAt(5)->GetSimValue(got), S_OK) << "a value with only a fine part is not empty";
  EXPECT_EQ(got, fineOnly);
  EXPECT_EQ(model->GetRefCount(), 5u) << "ours, our handle's and three errors'";
  EXPECT_EQ(ErrorAt(1)->GetRefCount(), 1u) << "the manager holds the only reference";

  NUVSimRaiseError::ClearSimulationErrors(1);
  EXPECT_EQ(ErrorCount(), 0);
  EXPECT_EQ(model->GetRefCount(), 2u) << "cleared errors released their model object";
  modelHandle = nullptr;
  model->Release();
}

TEST_F(RaiseError, ErrorOptionsOtherThanReportedRaiseNothing) {
  const int entries = PLMGetSimErrorManager::GetNumberOfEntries();
  for (int option : {0, 2, -1, 1000}) {
    NUVSimGlobalAccessToProbesOptions::SetErrorOptions(
        static_cast<NUVSimGlobalAccessToProbesOptions::ErrorOptions>(option));
    EXPECT_EQ(NUVSimRaiseError::RaiseSimulationError("X", "TestCatalog", NUVErrorTypeError), S_OK);
    EXPECT_EQ(PLMGetSimErrorManager::GetNumberOfEntries(), entries)
        << "option " << option << ": no manager was even created";
  }
  NUVSimGlobalAccessToProbesOptions::SetErrorOptions(
      NUVSimGlobalAccessToProbesOptions::ErrorsReported);
  NUVSimRaiseError::RaiseSimulationError("X", "TestCatalog", NUVErrorTypeError);
  EXPECT_EQ(ErrorCount(), 1);
}

TEST_F(RaiseError, WithoutEditorRaisingDropsAndDisplayFails) {
  const int entries = PLMGetSimErrorManager::GetNumberOfEntries();
  NUVFrmEditor::SetCurrentEditor(nullptr);
  EXPECT_EQ(NUVSimRaiseError::RaiseSimulationError("X", "TestCatalog", NUVErrorTypeError), S_OK);
  EXPECT_EQ(NUVSimRaiseError::DisplaySimulationErrors(), E_FAIL);
  EXPECT_EQ(NUVSimRaiseError::ClearSimulationErrors(1), S_OK);
  EXPECT_EQ(NUVSimRaiseError::ClearSimulationErrors(0), S_OK);
  EXPECT_EQ(PLMGetSimErrorManager::GetNumberOfEntries(), entries);
  NUVFrmEditor::SetCurrentEditor(_Scene.Editor());

  // A disabled context has no manager either.
  PLMGetSimErrorManager::SetEnable(0, nullptr, nullptr);
  EXPECT_EQ(NUVSimRaiseError::RaiseSimulationError("X", "TestCatalog", NUVErrorTypeError), S_OK);
  EXPECT_EQ(NUVSimRaiseError::DisplaySimulationErrors(), E_FAIL);
  PLMGetSimErrorManager::SetEnable(1, nullptr, nullptr);
  EXPECT_EQ(ErrorCount(), 0);
}

TEST_F(RaiseError, ClearingFlushesOrRebuildsTheDialog) {
  NUVSimRaiseError::RaiseSimulationError("A", "TestCatalog", NUVErrorTypeError);
  NUVSimRaiseError::DisplaySimulationErrors();
  DialogHandle before = Dialog(Manager());
  EXPECT_EQ(NUVSimRaiseError::ClearSimulationErrors(1), S_OK);
  EXPECT_EQ(ErrorCount(), 0);
  EXPECT_EQ(before->GetNumberOfReportedErrors(), 0);
  EXPECT_EQ(Dialog(Manager()).get(), before.get());

  NUVSimRaiseError::RaiseSimulationError("B", "TestCatalog", NUVErrorTypeError);
  NUVSimRaiseError::DisplaySimulationErrors();
  EXPECT_EQ(NUVSimRaiseError::ClearSimulationErrors(0), S_OK);
  EXPECT_EQ(ErrorCount(), 0);
  DialogHandle after = Dialog(Manager());
  EXPECT_NE(after.get(), before.get()) << "the next request builds a new dialog";
  EXPECT_EQ(after->GetNumberOfReportedErrors(), 0);
}

TEST_F(RaiseError, RealTimeLatenessErrorPrintsWithItsTextAndObject) {
  auto* model = new AliasedObject("Conveyor.3");
  NUVBaseUnknown_var modelHandle(model);
  model->Release();
  NUVSimRaiseError::RaiseSimulationError("ERR_0001", "VelloranAgentError", NUVErrorTypeError,
                                         modelHandle);
  NUVSimRaiseError::DisplaySimulationErrors();
  DialogHandle dialog = Dialog(Manager());
  NUVUnicodeString text;
  dialog->RenderDialog(text);
  const std::string& printed = text.Std();
  EXPECT_EQ(printed.rfind("Simulation errors [1 reported, minimized]\n  1. Error: Real-time", 0),
            0u)
      << printed;
  EXPECT_NE(printed.find("\n       To catch up"), std::string::npos) << printed;
  EXPECT_NE(printed.find("\n       Object: Conveyor.3\n"), std::string::npos) << printed;
}
