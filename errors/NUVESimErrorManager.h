// NUVESimErrorManager: the simulation error manager of one context, seen by
// its callers only through NUVISimErrorManager (created by the name
// "NUVSimErrorManager"; PLMGetSimErrorManager does that).
//
//   NUVISimErrorManager_var manager;
//   PLMGetSimErrorManager::Get(manager, editor, nullptr);
//
// It collects errors in arrival order and owns the error dialog, built on
// the first GetErrorHandler and minimized then. It follows the windows of
// its editor: when a window of the editor that is not a 3D window becomes
// active, the errors the dialog has reported are saved and the dialog
// closes (errors not reported yet are dropped); when a 3D window of the
// editor becomes active again, the saved errors come back before those
// collected meanwhile and are displayed in a dialog minimized or restored
// as the closed one was. A saved error that is not a simulation error
// (another module reported it to the dialog) comes back behind a simulation
// error that holds it and reads as it does. When its editor closes, it removes itself from the
// registry.
//
// Internal to the library (not exported). Threading: user-interface thread
// only.
#ifndef NUVESimErrorManager_h
#define NUVESimErrorManager_h

#include "NUVBaseUnknown.h"
#include "NUVErrorType.h"
#include "NUVListPtrNUVError.h"
#include "NUVListPtrNUVSimulationError.h"

class NUVEzrErrorHandler;
class NUVNotification;
class NUVSimErrorDataCustom;
class NUVSimulationError;

class NUVESimErrorManager : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUVESimErrorManager();
  // Releases the errors, the saved errors, the dialog and its column data.
  // The layout callbacks are not removed here: the registry disconnects a
  // manager before letting it go.
  ~NUVESimErrorManager() override;
  NUVESimErrorManager(const NUVESimErrorManager&) = delete;
  NUVESimErrorManager& operator=(const NUVESimErrorManager&) = delete;

  // The interface is exposed by a TIE although the meta class descends from
  // the interface's: this hands out the TIE, never the object itself.
  long QueryInterface(const NUVIID& iid, void** out) override;

  long AddError(NUVSimulationError* iError);
  long ClearErrors(unsigned char iFlushDialog);
  long GetErrorsOfType(NUVErrorType iType, NUVListPtrNUVSimulationError& oErrors);
  long GetErrors(NUVListPtrNUVSimulationError& oErrors);
  long GetError(int iPosition, NUVSimulationError*& oError);
  long GetNumberOfErrors(int& oCount);
  long GetErrorHandler(NUVEzrErrorHandler*& oHandler);
  long SetContext(NUVBaseUnknown* iContext);

  // Layout callbacks; the client data is the context.
  void OnEditorClosed(const char* event, void* publisher, NUVNotification* notification,
                      void* clientData, int callbackId);
  void OnWindowActivated(const char* event, void* publisher, NUVNotification* notification,
                         void* clientData, int callbackId);

 private:
  // Run once when the library loads: reads "PLM_SIM_NO_ERROR_WND" (defined:
  // no dialog is ever built), and registers the meta class, the TIE and the
  // creation function "NUVSimErrorManager" with the component dictionary.
  friend void VelloranErrorsLoad();
  static void ReadErrorWindowSetting();
  static void Register();

  void ReleaseHandler();

  NUVListPtrNUVSimulationError _Errors;  // one reference each
  NUVEzrErrorHandler* _pHandler;         // one reference; null until requested
  NUVSimErrorDataCustom* _pCustomData;   // one reference; null: rebuild the dialog
  NUVListPtrNUVError _SavedErrors;       // one reference each
  unsigned char _Minimized;              // the dialog's state when last closed
};

#endif
