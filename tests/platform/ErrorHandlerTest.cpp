// The error dialog: rows and their references, minimized state, custom
// columns and the text rendering a host prints.
#include <gtest/gtest.h>

#include <string>

#include "CountingErrors.h"
#include "NUVEzrErrorHandler.h"
#include "NUVEzrErrorHandlerData.h"

namespace {

class ErrorHandler : public ::testing::Test {
 protected:
  void SetUp() override {
    CountingSimulationError::Live() = 0;
    _OpenBefore = NUVEzrErrorHandler::GetNumberOfOpenDialogs();
  }
  void TearDown() override {
    EXPECT_EQ(CountingSimulationError::Live(), 0) << "every error should have been released";
    EXPECT_EQ(NUVEzrErrorHandler::GetNumberOfOpenDialogs(), _OpenBefore)
        << "every dialog should have been closed";
  }
  static std::string Render(const NUVEzrErrorHandler* dialog) {
    NUVUnicodeString text;
    dialog->RenderDialog(text);
    return text.Std();
  }
  int _OpenBefore = 0;
};

}  // namespace

TEST_F(ErrorHandler, RowsHoldOneReferenceAndCallersGetTheirOwn) {
  auto* dialog = new NUVEzrErrorHandler(NUVEzrErrorHandlerData("Error", "Title"));
  EXPECT_EQ(NUVEzrErrorHandler::GetNumberOfOpenDialogs(), _OpenBefore + 1);
  EXPECT_FALSE(dialog->IsDialogMinimized()) << "a new dialog is shown";
  dialog->MinimizeDialog();
  auto* a = new CountingSimulationError("A");
  auto* b = new CountingSimulationError("B");
  EXPECT_EQ(dialog->ReportError(nullptr, 0), E_INVALIDARG);
  EXPECT_EQ(dialog->ReportError(a, 0), S_OK);
  EXPECT_TRUE(dialog->IsDialogMinimized()) << "a quiet report leaves the dialog minimized";
  EXPECT_EQ(dialog->ReportError(b, 1), S_OK);
  EXPECT_FALSE(dialog->IsDialogMinimized()) << "a raising report brings the dialog back";
  EXPECT_EQ(a->GetRefCount(), 2u) << "the dialog holds one reference per row";

  NUVListPtrNUVError reported;
  reported.Append(a);  // what the caller had keeps its place
  EXPECT_EQ(dialog->GetReportedErrors(reported), S_OK);
  ASSERT_EQ(reported.Size(), 3) << "reported errors are appended to the caller's list";
  EXPECT_EQ(reported[2], a);
  EXPECT_EQ(reported[3], b);
  EXPECT_EQ(b->GetRefCount(), 3u);
  reported[2]->Release();
  reported[3]->Release();

  EXPECT_EQ(dialog->Flush(), S_OK);
  EXPECT_EQ(dialog->GetNumberOfReportedErrors(), 0);
  EXPECT_EQ(a->GetRefCount(), 1u) << "flushing gives the rows' references back";
  dialog->ReportError(a, 0);
  a->Release();
  b->Release();
  EXPECT_EQ(CountingSimulationError::Live(), 1) << "the dialog still holds a";
  dialog->Release();  // closing releases the remaining row
}

TEST_F(ErrorHandler, RenderingShowsTitleStateRowsAndShownColumns) {
  auto* columns = new TwoColumns;
  NUVEzrErrorHandlerData data("Error", "Simulation errors");
  data.SetCustomData(columns);
  columns->Release();
  auto* dialog = new NUVEzrErrorHandler(data);
  EXPECT_EQ(Render(dialog), "Simulation errors [0 reported, shown]\n    (no errors)\n");

  // Keys that are in no catalog: the message names key and catalog.
  auto* first = new CountingSimulationError("FIRST_KEY", "NoSuchCatalog");
  first->SetInformationOnErrorType(NUVErrorTypeWarning);
  auto* second = new CountingSimulationError("", "NoSuchCatalog");
  second->SetInformationOnErrorType(static_cast<NUVErrorType>(7));
  dialog->ReportError(first, 0);
  dialog->ReportError(second, 0);
  first->Release();
  second->Release();
  dialog->MinimizeDialog();
  EXPECT_EQ(Render(dialog),
            "Simulation errors [2 reported, minimized]\n"
            "  1. Warning: FIRST_KEY (NoSuchCatalog)\n"
            "       Message key: FIRST_KEY\n"
            "  2. Type 7:  (NoSuchCatalog)\n"
            "       Message key: -\n")
      << "the hidden column stays out and an empty cell shows '-'";
  dialog->Release();
}
