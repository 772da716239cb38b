// NUVSimRaiseError: how simulation code reports errors to the user. It
// raises an error into the error manager of the current editor, brings the
// manager's new errors into the error dialog, and clears them.
//
//   NUVSimRaiseError::RaiseSimulationError("ERR_0001", "VelloranAgentError", NUVErrorTypeError);
//   NUVSimRaiseError::DisplaySimulationErrors();
//
// Raising never fails towards the caller: when the user's options drop
// errors, or there is no current editor, the error is dropped silently.
// All services are static; the class has no state.
// Threading: user-interface thread only.
#ifndef NUVSimRaiseError_h
#define NUVSimRaiseError_h

#include "NUVBaseUnknown_var.h"
#include "NUVErrorType.h"
#include "NUVSimValue.h"
#include "VelloranExport.h"

class VELLORAN_EXPORT NUVSimRaiseError : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUVSimRaiseError();
  NUVSimRaiseError(const NUVSimRaiseError&);
  NUVSimRaiseError& operator=(const NUVSimRaiseError&);
  ~NUVSimRaiseError() override;

  // Adds an error of `type` with the message `key` of `catalog` to the
  // current editor's manager, naming the model object (when not null) and
  // the simulated value (when not empty). Only when the user's error option
  // is ErrorsReported. Always S_OK.
  static long RaiseSimulationError(const char* key, const char* catalog, NUVErrorType type,
                                   NUVBaseUnknown_var& model, NUVSimValue& value);
  static long RaiseSimulationError(const char* key, const char* catalog, NUVErrorType type,
                                   NUVBaseUnknown_var& model);
  static long RaiseSimulationError(const char* key, const char* catalog, NUVErrorType type);

  // Reports to the dialog the manager's errors it does not show yet: those
  // after the first R, R being the number of rows it already has. E_FAIL
  // when there is no manager or no dialog (no error window).
  static long DisplaySimulationErrors();

  // Clears the current editor's errors: true also empties the dialog, false
  // has the dialog rebuilt at the next display. Always S_OK.
  static long ClearSimulationErrors(unsigned char flushDialog);
};

#endif
