// The error dialog: rows, references, minimized state and the text it renders.
#include <gtest/gtest.h>

#include <string>

#include "CountingErrors.h"
#include "NUVEzrErrorHandler.h"
#include "NUVEzrErrorHandlerData.h"

TEST(ErrorHandler, RowsHoldReferencesAndRenderWithTheShownColumns) {
  CountingSimulationError::Live() = 0;
  const int openBefore = NUVEzrErrorHandler::GetNumberOfOpenDialogs();
  auto* columns = new TwoColumns;
  NUVEzrErrorHandlerData data("Error", "Simulation errors");
  data.SetCustomData(columns);
  columns->Release();
  auto* dialog = new NUVEzrErrorHandler(data);
  EXPECT_EQ(NUVEzrErrorHandler::GetNumberOfOpenDialogs(), openBefore + 1);
  auto render = [dialog] {
    NUVUnicodeString text;
    dialog->RenderDialog(text);
    return text.Std();
  };
  EXPECT_EQ(render(), "Simulation errors [0 reported, shown]\n    (no errors)\n");
  // Keys that are in no catalog: the message names key and catalog.
  auto* a = new CountingSimulationError("A_KEY", "NoSuchCatalog");
  auto* b = new CountingSimulationError("", "NoSuchCatalog");
  a->SetInformationOnErrorType(NUVErrorTypeWarning);
  b->SetInformationOnErrorType(static_cast<NUVErrorType>(7));
  dialog->MinimizeDialog();
  EXPECT_EQ(dialog->ReportError(nullptr, 0), E_INVALIDARG);
  EXPECT_EQ(dialog->ReportError(a, 0), S_OK);
  EXPECT_TRUE(dialog->IsDialogMinimized()) << "a quiet report leaves the dialog minimized";
  EXPECT_EQ(dialog->ReportError(b, 0), S_OK);
  EXPECT_EQ(a->GetRefCount(), 2u) << "the dialog holds one reference per row";
  EXPECT_EQ(render(),
            "Simulation errors [2 reported, minimized]\n"
            "  1. Warning: A_KEY (NoSuchCatalog)\n"
            "       Message key: A_KEY\n"
            "  2. Type 7:  (NoSuchCatalog)\n"
            "       Message key: -\n")
      << "the hidden column stays out and an empty cell shows '-'";
  EXPECT_EQ(dialog->ReportError(a, 1), S_OK);
  EXPECT_FALSE(dialog->IsDialogMinimized()) << "a raising report brings the dialog back";
  NUVListPtrNUVError reported;
  reported.Append(b);  // what the caller had keeps its place
  EXPECT_EQ(dialog->GetReportedErrors(reported), S_OK);
  ASSERT_EQ(reported.Size(), 4) << "reported errors are appended to the caller's list";
  EXPECT_EQ(reported[2], a);
  EXPECT_EQ(reported[3], b);
  EXPECT_EQ(reported[4], a) << "a row per report";
  EXPECT_EQ(a->GetRefCount(), 5u);
  for (int i = 2; i <= 4; ++i) reported[i]->Release();
  EXPECT_EQ(dialog->Flush(), S_OK);
  EXPECT_EQ(a->GetRefCount(), 1u) << "flushing gives the rows' references back";
  dialog->ReportError(a, 0);
  a->Release();
  b->Release();
  EXPECT_EQ(CountingSimulationError::Live(), 1) << "the dialog still holds a";
  dialog->Release();  // closing releases the remaining row
  EXPECT_EQ(CountingSimulationError::Live(), 0);
  EXPECT_EQ(NUVEzrErrorHandler::GetNumberOfOpenDialogs(), openBefore);
}
