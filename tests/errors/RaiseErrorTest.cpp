// Raising, displaying and clearing simulation errors through the façade, and
// the no-error-window flag.
#include "ErrorsFixture.h"

#include <cstdlib>
#include <string>

#include "NUVSimRaiseError.h"

namespace {

class RaiseError : public ErrorsFixture {
 protected:
  static int ErrorCount() {  // without creating a manager
    NUVISimErrorManager_var manager;
    PLMGetSimErrorManager::Get(manager, 0, nullptr, nullptr);
    return manager ? Count(manager) : 0;
  }
  static NUVSimulationError* ErrorAt(int position) {
    NUVSimulationError* error = nullptr;
    Manager()->GetError(position, error);
    if (error) error->Release();  // the manager keeps it
    return error;
  }
  static std::string Keys(NUVEzrErrorHandler* dialog) {
    std::string keys;
    for (NUVError* row : Rows(dialog)) keys += row->GetMessageKey().Std() + " ";
    return keys;
  }
  static void Raise(const char* key, NUVErrorType type = NUVErrorTypeError) {
    EXPECT_EQ(NUVSimRaiseError::RaiseSimulationError(key, "TestCatalog", type), S_OK);
  }
};

class ErrorWindowFlag : public RaiseError {};

}  // namespace

TEST_F(RaiseError, DisplayReportsOnlyWhatTheDialogDoesNotShowYetAndClearEmpties) {
  Raise("E1");
  Raise("E2", NUVErrorTypeWarning);
  Raise("E3");
  EXPECT_EQ(NUVSimRaiseError::DisplaySimulationErrors(), S_OK);
  DialogHandle dialog = Dialog(Manager());
  EXPECT_EQ(Keys(dialog), "E1 E2 E3 ");
  EXPECT_EQ(Rows(dialog)[1]->GetInformationOnErrorType(), NUVErrorTypeWarning);
  EXPECT_EQ(Rows(dialog)[0], ErrorAt(1)) << "the dialog shows the manager's very errors";
  EXPECT_EQ(NUVSimRaiseError::DisplaySimulationErrors(), S_OK);
  EXPECT_EQ(Keys(dialog), "E1 E2 E3 ") << "nothing new to report";
  EXPECT_EQ(ErrorAt(1)->GetRefCount(), 2u) << "the manager's and the dialog's references only";
  Raise("E4");
  EXPECT_EQ(NUVSimRaiseError::DisplaySimulationErrors(), S_OK);
  EXPECT_EQ(Keys(dialog), "E1 E2 E3 E4 ") << "only the newer error was reported";
  EXPECT_TRUE(dialog->IsDialogMinimized()) << "displaying does not bring the dialog up";
  EXPECT_EQ(NUVSimRaiseError::ClearSimulationErrors(1), S_OK);
  EXPECT_EQ(ErrorCount(), 0);
  EXPECT_EQ(Keys(dialog), "") << "flushed";
  EXPECT_EQ(Dialog(Manager()).get(), dialog.get()) << "and kept";
  EXPECT_EQ(NUVSimRaiseError::ClearSimulationErrors(0), S_OK);
  EXPECT_NE(Dialog(Manager()).get(), dialog.get()) << "the next request builds a new dialog";
}

TEST_F(RaiseError, ModelObjectAndValueAreAttachedWhenGiven) {
  auto* model = new AliasedObject("Gripper.2");
  NUVBaseUnknown_var modelHandle(model);
  model->Release();
  NUVBaseUnknown_var noModel;
  NUVSimValue value(2.5), empty, fineOnly(0.5);
  NUVSimRaiseError::RaiseSimulationError("FULL", "T", NUVErrorTypeError, modelHandle, value);
  NUVSimRaiseError::RaiseSimulationError("EMPTY", "T", NUVErrorTypeError, modelHandle, empty);
  NUVSimRaiseError::RaiseSimulationError("MODEL", "T", NUVErrorTypeError, modelHandle);
  NUVSimRaiseError::RaiseSimulationError("FINE", "T", NUVErrorTypeError, noModel, fineOnly);
  ASSERT_EQ(ErrorCount(), 4);
  const NUVSimValue expected[] = {value, empty, empty, fineOnly};
  for (int i = 1; i <= 4; ++i) {
    NUVSimValue got;
    EXPECT_EQ(ErrorAt(i)->GetModelObject().get(), i < 4 ? model : nullptr) << i;
    EXPECT_EQ(ErrorAt(i)->GetSimValue(got), i == 1 || i == 4 ? S_OK : E_FAIL)
        << i << ": an empty value is not attached, one with only a fine part is";
    EXPECT_EQ(got, expected[i - 1]) << i;
  }
  EXPECT_EQ(ErrorAt(1)->GetRefCount(), 1u) << "the manager holds the only reference";
  NUVSimRaiseError::ClearSimulationErrors(1);
  EXPECT_EQ(model->GetRefCount(), 1u) << "cleared errors released their model object";
}

TEST_F(RaiseError, NothingIsRaisedUnlessReportedWithAManager) {
  const int entries = PLMGetSimErrorManager::GetNumberOfEntries();
  for (int option : {0, 2, -1, 1000}) {
    NUVSimGlobalAccessToProbesOptions::SetErrorOptions(
        static_cast<NUVSimGlobalAccessToProbesOptions::ErrorOptions>(option));
    Raise("X");
    EXPECT_EQ(PLMGetSimErrorManager::GetNumberOfEntries(), entries)
        << "option " << option << ": no manager was even created";
  }
  NUVSimGlobalAccessToProbesOptions::ResetToDefaults();
  NUVFrmEditor::SetCurrentEditor(nullptr);
  Raise("X");
  EXPECT_EQ(NUVSimRaiseError::DisplaySimulationErrors(), E_FAIL);
  EXPECT_EQ(NUVSimRaiseError::ClearSimulationErrors(0), S_OK);
  EXPECT_EQ(PLMGetSimErrorManager::GetNumberOfEntries(), entries);
  NUVFrmEditor::SetCurrentEditor(_Scene.Editor());
  PLMGetSimErrorManager::SetEnable(0, nullptr, nullptr);  // no manager either
  Raise("X");
  EXPECT_EQ(NUVSimRaiseError::DisplaySimulationErrors(), E_FAIL);
  PLMGetSimErrorManager::SetEnable(1, nullptr, nullptr);
  EXPECT_EQ(ErrorCount(), 0);
  Raise("X");
  EXPECT_EQ(ErrorCount(), 1);
}

TEST_F(RaiseError, LatenessErrorAdvisesWhatHelpsAndShowsItsObject) {
  auto* model = new AliasedObject("Conveyor.3");
  NUVBaseUnknown_var modelHandle(model);
  model->Release();
  NUVSimRaiseError::RaiseSimulationError("ERR_0001", "VelloranAgentError", NUVErrorTypeError,
                                         modelHandle);
  NUVSimRaiseError::DisplaySimulationErrors();
  NUVUnicodeString text;
  Dialog(Manager())->RenderDialog(text);
  const std::string& printed = text.Std();
  EXPECT_EQ(printed.rfind("Simulation errors [1 reported, minimized]\n  1. Error: Real-time", 0),
            0u)
      << printed;
  EXPECT_NE(printed.find("lower the real-time factor or turn real-time play off"),
            std::string::npos) << printed;
  // In real-time play every step is drawn: drawing less often does not help.
  EXPECT_EQ(printed.find("interval"), std::string::npos) << printed;
  EXPECT_NE(printed.find("\n       To catch up"), std::string::npos) << "further lines indented";
  EXPECT_NE(printed.find("\n       Object: Conveyor.3\n"), std::string::npos) << printed;
}

// "PLM_SIM_NO_ERROR_WND" is read once when the library loads. The suite runs
// once without it and once more, filtered to this test, with it defined.
TEST_F(ErrorWindowFlag, DecidesWhetherAnyDialogIsBuilt) {
  const bool noWindow = std::getenv("PLM_SIM_NO_ERROR_WND") != nullptr;
  const int dialogs = NUVEzrErrorHandler::GetNumberOfOpenDialogs();
  NUVFrmWindow* threeD = _Scene.Add3DWindow();
  _Scene.Layout()->SetCurrentWindow(threeD);
  Raise("A");
  EXPECT_EQ(ErrorCount(), 1) << "errors are collected either way";
  EXPECT_EQ(NUVSimRaiseError::DisplaySimulationErrors(), noWindow ? E_FAIL : S_OK);
  auto* sentinel = reinterpret_cast<NUVEzrErrorHandler*>(0x1);
  NUVEzrErrorHandler* handler = sentinel;
  EXPECT_EQ(Manager()->GetErrorHandler(handler), S_OK);
  _Scene.Layout()->SetCurrentWindow(_Scene.Add2DWindow());
  _Scene.Layout()->SetCurrentWindow(threeD);
  if (noWindow) {
    EXPECT_EQ(handler, sentinel) << "the out argument is left untouched";
    EXPECT_EQ(NUVEzrErrorHandler::GetNumberOfOpenDialogs(), dialogs)
        << "no dialog is ever built, window switches included";
  } else {
    ASSERT_NE(handler, sentinel);
    EXPECT_EQ(handler->GetNumberOfReportedErrors(), 1);
    handler->Release();
    EXPECT_EQ(NUVEzrErrorHandler::GetNumberOfOpenDialogs(), dialogs + 1);
  }
}
