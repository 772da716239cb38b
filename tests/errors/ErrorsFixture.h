// Fixture of the error reporting tests: a frame scene, the error option at its
// default; at the end the tracked contexts' entries forgotten and no error or
// dialog left.
#ifndef ErrorsFixture_h
#define ErrorsFixture_h

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "CountingErrors.h"
#include "FrameTestScene.h"
#include "NUVEzrErrorHandler.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVISimErrorManager.h"
#include "NUVSimGlobalAccessToProbesOptions.h"
#include "PLMGetSimErrorManager.h"

typedef NUVVar<NUVEzrErrorHandler> DialogHandle;

class ErrorsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    CountingSimulationError::Live() = 0;
    NUVSimGlobalAccessToProbesOptions::ResetToDefaults();
    _EntriesBefore = PLMGetSimErrorManager::GetNumberOfEntries();
    _DialogsBefore = NUVEzrErrorHandler::GetNumberOfOpenDialogs();
    Track(_Scene.Editor(), nullptr);
  }
  void TearDown() override {
    for (auto& context : _Contexts) Forget(context.first, context.second);
    NUVSimGlobalAccessToProbesOptions::ResetToDefaults();
    EXPECT_EQ(PLMGetSimErrorManager::GetNumberOfEntries(), _EntriesBefore) << "entries left";
    EXPECT_EQ(CountingSimulationError::Live(), 0) << "an error was leaked";
    EXPECT_EQ(NUVEzrErrorHandler::GetNumberOfOpenDialogs(), _DialogsBefore) << "a dialog open";
  }
  void Track(NUVBaseUnknown* first, NUVBaseUnknown* second) {
    _Contexts.emplace_back(NUVBaseUnknown_var(first), NUVBaseUnknown_var(second));
  }
  static void Forget(const NUVBaseUnknown_var& first, const NUVBaseUnknown_var& second) {
    PLMGetSimErrorManager::SetRetain(0, first, second);
    PLMGetSimErrorManager::SetEnable(1, first, second);
    PLMGetSimErrorManager::Remove(first, second);
  }
  static NUVISimErrorManager_var Manager(NUVBaseUnknown* first = nullptr,
                                         NUVBaseUnknown* second = nullptr) {
    NUVISimErrorManager_var manager;
    PLMGetSimErrorManager::Get(manager, first, second);
    return manager;
  }
  static DialogHandle Dialog(const NUVISimErrorManager_var& manager) {
    NUVEzrErrorHandler* raw = nullptr;
    manager->GetErrorHandler(raw);
    DialogHandle dialog;
    dialog.Attach(raw);
    return dialog;
  }
  // The dialog's rows, without keeping references.
  static std::vector<NUVError*> Rows(NUVEzrErrorHandler* dialog) {
    NUVListPtrNUVError reported;
    dialog->GetReportedErrors(reported);
    std::vector<NUVError*> rows;
    for (int i = 1; i <= reported.Size(); ++i) rows.push_back(reported[i]);
    for (NUVError* row : rows) row->Release();
    return rows;
  }
  // Adds a counting error, giving up the creation reference.
  static CountingSimulationError* Add(const NUVISimErrorManager_var& manager, const char* key) {
    auto* error = new CountingSimulationError(key);
    manager->AddError(error);
    error->Release();
    return error;
  }
  static int Count(const NUVISimErrorManager_var& manager) {
    int count = -1;
    manager->GetNumberOfErrors(count);
    return count;
  }

  FrameTestScene _Scene;

 private:
  std::vector<std::pair<NUVBaseUnknown_var, NUVBaseUnknown_var>> _Contexts;
  int _EntriesBefore = 0;
  int _DialogsBefore = 0;
};

#endif
