// NUVSimulationError: an error raised by simulation code. Besides the
// message it may name the model object it concerns and the simulated value
// at which it happened.
//
//   NUVSimulationError* error = new NUVSimulationError("ERR_0001", "VelloranAgentError");
//   error->SetModelObject(product); error->SetSimValue(NUVSimValue(2.5));
//
// Reference counted; it holds a reference on its model object.
// Threading: user-interface thread only.
#ifndef NUVSimulationError_h
#define NUVSimulationError_h

#include "NUVBaseUnknown_var.h"
#include "NUVError.h"
#include "NUVSimValue.h"

class VPL_EXPORT NUVSimulationError : public NUVError {
  NUV_DECLARE_CLASS
 public:
  NUVSimulationError(const char* messageKey, const char* catalog);
  ~NUVSimulationError() override;

  // Replaces the model object (null clears it).
  virtual void SetModelObject(const NUVBaseUnknown_var& object) { _ModelObject = object; }
  // A handle on the model object; null when none was set.
  virtual NUVBaseUnknown_var GetModelObject() const { return _ModelObject; }

  virtual void SetSimValue(const NUVSimValue& value);
  // S_OK and oValue set when a value was attached; E_FAIL, oValue untouched,
  // when none was.
  virtual long GetSimValue(NUVSimValue& oValue) const;
  unsigned char HasSimValue() const { return _HasSimValue; }

 private:
  NUVBaseUnknown_var _ModelObject;
  NUVSimValue _SimValue;
  unsigned char _HasSimValue;
};

#endif
