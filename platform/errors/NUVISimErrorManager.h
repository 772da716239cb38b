// NUVISimErrorManager: the collector of the simulation errors of one context
// (an editor, optionally refined by a second object), and the owner of the
// error dialog that shows them.
//
//   NUVISimErrorManager_var manager;
//   PLMGetSimErrorManager::Get(manager, nullptr, nullptr);   // current editor
//
// Lists filled by the manager hand the caller one reference per error.
// Threading: user-interface thread only.
#ifndef NUVISimErrorManager_h
#define NUVISimErrorManager_h

#include "NUVErrorType.h"
#include "NUVListPtrNUVSimulationError.h"
#include "NUVVar.h"

class NUVEzrErrorHandler;
class NUVSimulationError;

class VPL_EXPORT NUVISimErrorManager : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Appends the error and holds a reference on it; E_INVALIDARG for null.
  virtual long AddError(NUVSimulationError* iError) = 0;
  // Releases every error. True also empties the dialog; false drops the
  // dialog's column data so that the next GetErrorHandler builds it anew.
  virtual long ClearErrors(unsigned char iFlushDialog) = 0;
  // Appends the errors of a type, in order, one reference each.
  virtual long GetErrorsOfType(NUVErrorType iType, NUVListPtrNUVSimulationError& oErrors) = 0;
  // Replaces the content of oErrors (without releasing what it held) by
  // the errors in order, one reference each.
  virtual long GetErrors(NUVListPtrNUVSimulationError& oErrors) = 0;
  // oError := the error at iPosition (1..count) with a reference; null and
  // E_INVALIDARG outside that range.
  virtual long GetError(int iPosition, NUVSimulationError*& oError) = 0;
  virtual long GetNumberOfErrors(int& oCount) = 0;
  // oHandler := the error dialog with a reference, built on first request;
  // untouched when the application runs without error window.
  virtual long GetErrorHandler(NUVEzrErrorHandler*& oHandler) = 0;
  // Follows the windows of `iContext` (an editor) in the current layout;
  // null stops following.
  virtual long SetContext(NUVBaseUnknown* iContext) = 0;
};

#define IID_NUVISimErrorManager (NUVISimErrorManager::ClassId())
typedef NUVVar<NUVISimErrorManager> NUVISimErrorManager_var;

#endif
