// NUVSimNotification: a simulation notification, carried by the events of
// the master observation coordinator to its subscribers. The engine stamps
// queued notifications with the step's value and statuses before they are
// dispatched.
//
//   NUVSimNotification* n = new NUVSimNotification;   // one reference
//   coordinator->PostNotification(n, 0); n->Release();
//
// Reference counted; may also live on the stack for an immediate dispatch.
// Threading: user-interface thread only.
#ifndef NUVSimNotification_h
#define NUVSimNotification_h

#include "NUVNotification.h"
#include "NUVSimValue.h"
#include "SimComputeStatus.h"
#include "SimLoopStatus.h"

class VPL_EXPORT NUVSimNotification : public NUVNotification {
  NUV_DECLARE_CLASS
 public:
  NUVSimNotification();
  ~NUVSimNotification() override;

  virtual long GetValue(NUVSimValue& oValue) const;
  virtual long SetValue(const NUVSimValue& iValue);
  virtual long GetComputeStatus(SimComputeStatus& oStatus) const;
  virtual long SetComputeStatus(SimComputeStatus iStatus);
  virtual long GetLoopStatus(SimLoopStatus& oStatus) const;
  virtual long SetLoopStatus(SimLoopStatus iStatus);

 private:
  NUVSimValue _Value;
  SimComputeStatus _ComputeStatus;
  SimLoopStatus _LoopStatus;
};

#endif
