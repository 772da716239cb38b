// Module-wide state of the simulation error reporting, created when the
// library is loaded and destroyed when it is unloaded (internal, not
// exported). VelloranErrorsLoad/Unload call these in order.
#ifndef NUVSimErrorsModule_h
#define NUVSimErrorsModule_h

class NUVBaseUnknown;

// The registry of PLMGetSimErrorManager.
void PLMSimErrorRegistryCreate();
// Disconnects the managers still registered and releases everything.
void PLMSimErrorRegistryDestroy();

// Reads "PLM_SIM_NO_ERROR_WND" once: defined means no error dialog is built.
void NUVESimErrorManagerReadSettings();
// Meta class, TIE and creation function of the error manager.
void NUVESimErrorManagerRegister();
// Finds or builds the TIE exposing NUVISimErrorManager on a manager.
NUVBaseUnknown* CreateTIENUVISimErrorManagerNUVESimErrorManager(NUVBaseUnknown* implementation);

#endif
