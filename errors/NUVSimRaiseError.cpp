#include "NUVSimRaiseError.h"

#include "NUVEzrErrorHandler.h"
#include "NUVISimErrorManager.h"
#include "NUVListPtrNUVError.h"
#include "NUVSimGlobalAccessToProbesOptions.h"
#include "NUVSimulationError.h"
#include "PLMGetSimErrorManager.h"
#include "VelloranModule.h"

NUV_IMPLEMENT_CLASS(NUVSimRaiseError, NUVBaseUnknown, VELLORAN_LIBRARY_NAME)

namespace {

// The errors this class raises.
class NUVSimRaisedError : public NUVSimulationError {
 public:
  using NUVSimulationError::NUVSimulationError;
};

}  // namespace

NUVSimRaiseError::NUVSimRaiseError() = default;
NUVSimRaiseError::NUVSimRaiseError(const NUVSimRaiseError& other) : NUVBaseUnknown(other) {}
NUVSimRaiseError& NUVSimRaiseError::operator=(const NUVSimRaiseError&) { return *this; }
NUVSimRaiseError::~NUVSimRaiseError() = default;

long NUVSimRaiseError::RaiseSimulationError(const char* key, const char* catalog,
                                            NUVErrorType type, NUVBaseUnknown_var& model,
                                            NUVSimValue& value) {
  NUVSimGlobalAccessToProbesOptions::ErrorOptions options =
      NUVSimGlobalAccessToProbesOptions::ErrorsReported;
  NUVSimGlobalAccessToProbesOptions::GetErrorOptions(options);
  if (options != NUVSimGlobalAccessToProbesOptions::ErrorsReported) return S_OK;

  NUVISimErrorManager_var manager;
  PLMGetSimErrorManager::Get(manager, nullptr, nullptr);
  if (!manager) return S_OK;

  NUVSimulationError* error = NUVNew<NUVSimRaisedError>(key, catalog);
  if (!error) return S_OK;
  error->SetInformationOnErrorType(type);
  manager->AddError(error);
  // Completed once in the manager: the manager holds this very object.
  if (model) error->SetModelObject(model);
  const NUVSimValue empty;
  if (value.GetWholePart() != empty.GetWholePart() || value.GetFinePart() != empty.GetFinePart()) {
    error->SetSimValue(value);
  }
  error->Release();
  return S_OK;
}

long NUVSimRaiseError::RaiseSimulationError(const char* key, const char* catalog,
                                            NUVErrorType type, NUVBaseUnknown_var& model) {
  NUVSimValue empty;
  return RaiseSimulationError(key, catalog, type, model, empty);
}

long NUVSimRaiseError::RaiseSimulationError(const char* key, const char* catalog,
                                            NUVErrorType type) {
  NUVBaseUnknown_var noModel;
  NUVSimValue empty;
  return RaiseSimulationError(key, catalog, type, noModel, empty);
}

long NUVSimRaiseError::DisplaySimulationErrors() {
  NUVISimErrorManager_var manager;
  PLMGetSimErrorManager::Get(manager, nullptr, nullptr);
  if (!manager) return E_FAIL;
  NUVEzrErrorHandler* handler = nullptr;
  manager->GetErrorHandler(handler);
  if (!handler) return E_FAIL;

  // The dialog shows the manager's first errors already: report the rest.
  NUVListPtrNUVError reported;
  handler->GetReportedErrors(reported);
  const int alreadyShown = reported.Size();
  for (int i = 1; i <= reported.Size(); ++i) reported[i]->Release();

  int count = 0;
  manager->GetNumberOfErrors(count);
  for (int position = alreadyShown + 1; position <= count; ++position) {
    NUVSimulationError* error = nullptr;
    manager->GetError(position, error);
    if (!error) continue;
    handler->ReportError(error, 0);
    error->Release();
  }
  handler->Release();
  return S_OK;
}

long NUVSimRaiseError::ClearSimulationErrors(unsigned char flushDialog) {
  NUVISimErrorManager_var manager;
  PLMGetSimErrorManager::Get(manager, nullptr, nullptr);
  if (manager) manager->ClearErrors(flushDialog);
  return S_OK;
}
