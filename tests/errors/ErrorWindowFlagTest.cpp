// "PLM_SIM_NO_ERROR_WND" is read once when the library loads. The suite runs
// once without it and once more, filtered to this test, with it defined; the
// test checks whichever behaviour the process started with.
#include "ErrorsFixture.h"

#include <cstdlib>

#include "NUVFrmLayout.h"
#include "NUVSimRaiseError.h"

namespace {
class ErrorWindowFlag : public ErrorsFixture {};
}  // namespace

TEST_F(ErrorWindowFlag, DecidesWhetherAnyDialogIsBuilt) {
  const bool noWindow = std::getenv("PLM_SIM_NO_ERROR_WND") != nullptr;
  const int dialogs = NUVEzrErrorHandler::GetNumberOfOpenDialogs();
  NUVFrmWindow* threeD = _Scene.Add3DWindow();
  NUVFrmWindow* twoD = _Scene.Add2DWindow();
  _Scene.Layout()->SetCurrentWindow(threeD);

  NUVSimRaiseError::RaiseSimulationError("A", "TestCatalog", NUVErrorTypeError);
  NUVISimErrorManager_var manager = Manager();
  int count = 0;
  manager->GetNumberOfErrors(count);
  EXPECT_EQ(count, 1) << "errors are collected either way";

  const long displayed = NUVSimRaiseError::DisplaySimulationErrors();
  auto* sentinel = reinterpret_cast<NUVEzrErrorHandler*>(0x1);
  NUVEzrErrorHandler* handler = sentinel;
  EXPECT_EQ(manager->GetErrorHandler(handler), S_OK);
  if (noWindow) {
    EXPECT_EQ(displayed, E_FAIL);
    EXPECT_EQ(handler, sentinel) << "the out argument is left untouched";
    _Scene.Layout()->SetCurrentWindow(twoD);
    _Scene.Layout()->SetCurrentWindow(threeD);
    EXPECT_EQ(NUVEzrErrorHandler::GetNumberOfOpenDialogs(), dialogs)
        << "no dialog is ever built, window switches included";
  } else {
    EXPECT_EQ(displayed, S_OK);
    ASSERT_NE(handler, sentinel);
    ASSERT_NE(handler, nullptr);
    EXPECT_EQ(handler->GetNumberOfReportedErrors(), 1);
    EXPECT_EQ(NUVEzrErrorHandler::GetNumberOfOpenDialogs(), dialogs + 1);
    handler->Release();
  }
}
