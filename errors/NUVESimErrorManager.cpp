#include "NUVESimErrorManager.h"

#include <cstring>

#include "NUVCallbackManager.h"
#include "NUVDictionary.h"
#include "NUVEzrErrorHandler.h"
#include "NUVEzrErrorHandlerData.h"
#include "NUVFillDictionary.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVGetEnvValue.h"
#include "NUVISimErrorManager.h"
#include "NUVMsgCatalog.h"
#include "NUVSimErrorDataCustom.h"
#include "NUVSimRaiseError.h"
#include "NUVSimWindowServices.h"
#include "NUVSimulationError.h"
#include "NUVTie.h"
#include "PLMGetSimErrorManager.h"
#include "VelloranModule.h"

NUV_IMPLEMENT_CLASS(NUVESimErrorManager, NUVISimErrorManager, VELLORAN_LIBRARY_NAME)

namespace {

// Set once at load from "PLM_SIM_NO_ERROR_WND": no dialog is ever built.
unsigned char g_NoErrorWindow = 0;

}  // namespace

class TIENUVISimErrorManagerNUVESimErrorManager
    : public NUVTie<NUVISimErrorManager, NUVESimErrorManager> {
  NUV_DECLARE_CLASS
 public:
  using NUVTie::NUVTie;
  long AddError(NUVSimulationError* e) override { return Impl()->AddError(e); }
  long ClearErrors(unsigned char flush) override { return Impl()->ClearErrors(flush); }
  long GetErrorsOfType(NUVErrorType type, NUVListPtrNUVSimulationError& errors) override {
    return Impl()->GetErrorsOfType(type, errors);
  }
  long GetErrors(NUVListPtrNUVSimulationError& errors) override {
    return Impl()->GetErrors(errors);
  }
  long GetError(int position, NUVSimulationError*& error) override {
    return Impl()->GetError(position, error);
  }
  long GetNumberOfErrors(int& count) override { return Impl()->GetNumberOfErrors(count); }
  long GetErrorHandler(NUVEzrErrorHandler*& handler) override {
    return Impl()->GetErrorHandler(handler);
  }
  long SetContext(NUVBaseUnknown* context) override { return Impl()->SetContext(context); }
};

NUV_IMPLEMENT_CLASS_EXT(TIENUVISimErrorManagerNUVESimErrorManager,
                        NUVISimErrorManager::MetaObject(), "NUVNull", VELLORAN_LIBRARY_NAME,
                        NUVMetaClass::Tie)

// Finds or builds the TIE exposing NUVISimErrorManager on a manager.
static NUVBaseUnknown* CreateTIENUVISimErrorManagerNUVESimErrorManager(
    NUVBaseUnknown* implementation) {
  return NUVTieFindOrCreate<TIENUVISimErrorManagerNUVESimErrorManager>(implementation);
}

namespace {

NUVBaseUnknown* CreateNUVESimErrorManager() { return NUVNew<NUVESimErrorManager>(); }

// Stands in the error list for an error the dialog showed that is not a
// simulation error (another module reported it to the dialog directly). It
// reads as the error it holds: same key, catalog, type and text; it has no
// model object and no simulated value.
class SavedPlainError : public NUVSimulationError {
 public:
  // Takes over the caller's reference on `error`.
  explicit SavedPlainError(NUVError* error)
      : NUVSimulationError(error->GetMessageKey().CastToCharPtr(),
                           error->GetCatalogName().CastToCharPtr()),
        _pError(error) {}
  ~SavedPlainError() override { _pError->Release(); }
  void SetInformationOnErrorType(NUVErrorType type) override {
    _pError->SetInformationOnErrorType(type);
  }
  NUVErrorType GetInformationOnErrorType() const override {
    return _pError->GetInformationOnErrorType();
  }
  NUVUnicodeString GetMessageText() const override { return _pError->GetMessageText(); }

 private:
  NUVError* _pError;  // one reference
};

}  // namespace

void NUVESimErrorManager::ReadErrorWindowSetting() {
  g_NoErrorWindow = NUVGetEnvValue("PLM_SIM_NO_ERROR_WND") == 0 ? 1 : 0;
}

void NUVESimErrorManager::Register() {
  NUVDictionary::RegisterMetaClass(VELLORAN_LIBRARY_NAME, "NUVESimErrorManager",
                                   &NUVESimErrorManager::MetaObject);
  NUVDictionary::RegisterMetaClass(VELLORAN_LIBRARY_NAME,
                                   "TIENUVISimErrorManagerNUVESimErrorManager",
                                   &TIENUVISimErrorManagerNUVESimErrorManager::MetaObject);
  NUVDictionary::RegisterInterface(VELLORAN_LIBRARY_NAME, "NUVESimErrorManager",
                                   "NUVISimErrorManager",
                                   &CreateTIENUVISimErrorManagerNUVESimErrorManager);
  NUVFillDictionary::RegisterFunctionCreation("NUVSimErrorManager", &CreateNUVESimErrorManager,
                                              VELLORAN_LIBRARY_NAME);
}

NUVESimErrorManager::NUVESimErrorManager()
    : _pHandler(nullptr), _pCustomData(nullptr), _Minimized(1) {}

NUVESimErrorManager::~NUVESimErrorManager() {
  ClearErrors(0);
  ReleaseHandler();
  NUVListPtrNUVError saved = _SavedErrors;
  _SavedErrors.RemoveAll();
  for (int i = 1; i <= saved.Size(); ++i) saved[i]->Release();
}

long NUVESimErrorManager::QueryInterface(const NUVIID& iid, void** out) {
  if (out && iid.name && std::strcmp(iid.name, NUVISimErrorManager::ClassName()) == 0) {
    *out = CreateTIENUVISimErrorManagerNUVESimErrorManager(this);
    return *out ? S_OK : E_NOINTERFACE;
  }
  return NUVBaseUnknown::QueryInterface(iid, out);
}

void NUVESimErrorManager::ReleaseHandler() {
  NUVEzrErrorHandler* handler = _pHandler;
  _pHandler = nullptr;
  if (handler) handler->Release();
}

long NUVESimErrorManager::AddError(NUVSimulationError* iError) {
  if (!iError) return E_INVALIDARG;
  iError->AddRef();
  _Errors.Append(iError);
  return S_OK;
}

long NUVESimErrorManager::ClearErrors(unsigned char iFlushDialog) {
  // Emptied before releasing, so that nothing a destructor calls sees
  // errors on their way out.
  NUVListPtrNUVSimulationError errors = _Errors;
  _Errors.RemoveAll();
  for (int i = 1; i <= errors.Size(); ++i) {
    if (errors[i]) errors[i]->Release();
  }
  if (iFlushDialog) {
    if (_pHandler) _pHandler->Flush();
  } else if (_pCustomData) {
    NUVSimErrorDataCustom* customData = _pCustomData;
    _pCustomData = nullptr;
    customData->Release();
  }
  return S_OK;
}

long NUVESimErrorManager::GetErrorsOfType(NUVErrorType iType,
                                          NUVListPtrNUVSimulationError& oErrors) {
  for (int i = 1; i <= _Errors.Size(); ++i) {
    NUVSimulationError* error = _Errors[i];
    if (error && error->GetInformationOnErrorType() == iType) {
      error->AddRef();
      oErrors.Append(error);
    }
  }
  return S_OK;
}

long NUVESimErrorManager::GetErrors(NUVListPtrNUVSimulationError& oErrors) {
  oErrors = _Errors;
  for (int i = 1; i <= oErrors.Size(); ++i) {
    if (oErrors[i]) oErrors[i]->AddRef();
  }
  return S_OK;
}

long NUVESimErrorManager::GetError(int iPosition, NUVSimulationError*& oError) {
  oError = nullptr;
  if (iPosition < 1 || iPosition > _Errors.Size()) return E_INVALIDARG;
  NUVSimulationError* error = _Errors[iPosition];
  if (!error) return E_FAIL;
  error->AddRef();
  oError = error;
  return S_OK;
}

long NUVESimErrorManager::GetNumberOfErrors(int& oCount) {
  oCount = _Errors.Size();
  return S_OK;
}

long NUVESimErrorManager::GetErrorHandler(NUVEzrErrorHandler*& oHandler) {
  if (g_NoErrorWindow) return S_OK;
  if (!_pCustomData) {
    // First request, or the dialog's data was dropped: a new dialog in the
    // minimized state of the one it replaces.
    unsigned char minimized = _pHandler ? _pHandler->IsDialogMinimized() : 1;
    ReleaseHandler();
    NUVUnicodeString title;
    NUVMsgCatalog::BuildMessage("NUVSimErrorPanel", "Title", title, 0, nullptr, "");
    NUVEzrErrorHandlerData data(NUVUnicodeString("Error"), title);
    _pCustomData = NUVNew<NUVSimErrorDataCustom>();
    if (_pCustomData) data.SetCustomData(_pCustomData);
    _pHandler = NUVNew<NUVEzrErrorHandler>(data);
    if (_pHandler && minimized) _pHandler->MinimizeDialog();
  }
  if (_pHandler) {
    _pHandler->AddRef();
    oHandler = _pHandler;
  }
  return S_OK;
}

long NUVESimErrorManager::SetContext(NUVBaseUnknown* iContext) {
  NUVFrmLayout* layout = NUVFrmLayout::GetCurrentLayout();
  if (!layout) return S_OK;
  if (iContext) {
    ::AddCallback(this, layout, NUVFrmEditor::EDITOR_CLOSE_ENDED(),
                  NUVSubscriberMethodCast(&NUVESimErrorManager::OnEditorClosed), iContext);
    ::AddCallback(this, layout, NUVFrmWindow::WINDOW_ACTIVATED(),
                  NUVSubscriberMethodCast(&NUVESimErrorManager::OnWindowActivated), iContext);
  } else {
    ::RemoveCallbacksOn(this, layout, NUVFrmEditor::EDITOR_CLOSE_ENDED(), nullptr);
    ::RemoveCallbacksOn(this, layout, NUVFrmWindow::WINDOW_ACTIVATED(), nullptr);
  }
  return S_OK;
}

void NUVESimErrorManager::OnEditorClosed(const char*, void* publisher, NUVNotification*,
                                         void* clientData, int) {
  if (!publisher || publisher != clientData) return;
  // The registry may hold the last other reference: this handle keeps the
  // manager alive until the callback returns.
  NUVISimErrorManager_var self(this);
  PLMGetSimErrorManager::RemoveManager(self);
}

void NUVESimErrorManager::OnWindowActivated(const char*, void* publisher, NUVNotification*,
                                            void* clientData, int) {
  if (!publisher || !clientData) return;
  auto* window = dynamic_cast<NUVFrmWindow*>(static_cast<NUVBaseUnknown*>(publisher));
  if (!window) return;
  NUVBaseUnknown* editor = window->GetEditor();
  if (!editor || static_cast<void*>(editor) != clientData) return;
  NUVBaseUnknown_var self(this);  // displaying runs code that may drop references
  if (NUVSimWindowServices::IsA3DWindow(window) != E_FAIL) {
    if (_SavedErrors.Size() > 0) {
      // Saved errors first, then those collected meanwhile; the references
      // move with them. An error that is not a simulation error comes back
      // behind a stand-in that holds it.
      NUVListPtrNUVSimulationError restored;
      for (int i = 1; i <= _SavedErrors.Size(); ++i) {
        NUVError* error = _SavedErrors[i];
        if (!error) continue;
        NUVSimulationError* kept = dynamic_cast<NUVSimulationError*>(error);
        if (!kept) kept = NUVNew<SavedPlainError>(error);
        if (kept) {
          restored.Append(kept);
        } else {
          error->Release();  // no memory for the stand-in
        }
      }
      for (int i = 1; i <= _Errors.Size(); ++i) restored.Append(_Errors[i]);
      _Errors = restored;
      _SavedErrors.RemoveAll();
    }
    NUVSimRaiseError::DisplaySimulationErrors();
    if (_pHandler) {
      if (_Minimized) {
        _pHandler->MinimizeDialog();
      } else {
        _pHandler->RestoreDialog();
      }
    }
  } else if (_SavedErrors.Size() == 0) {
    if (_pHandler) {
      _pHandler->GetReportedErrors(_SavedErrors);
      _Minimized = _pHandler->IsDialogMinimized();
    }
    ClearErrors(0);
    ReleaseHandler();
  }
}
