// NUVIPLMStateMonitor: the PLM state monitor, the keeper of the product's
// state as shown: where each object stands. Whoever moves an object (a drag,
// a command, the simulation scene) tells the monitor its new placement;
// anyone may ask for an object's position.
//
//   NUVIPLMStateMonitor_var monitor;
//   NUVGetPLMStateMonitor::GetPLMStateMonitor(monitor);
//   NUVMathTransformation position;
//   if (!!monitor) monitor->GetPosition(object, window, position, nullptr, 0);
//
// Placement and position are inverse to each other: the placement carries
// the object's own coordinates into the window's (world) coordinates; the
// position carries world coordinates into the object's own. So with
// NUVMathTransformation's product order, (inverse of position 1) * position 2
// carries object 1's coordinates into object 2's.
// Objects are known by their implementation object (GetImpl), so any
// interface of an object finds the same entry.
// Threading: user-interface thread only.
#ifndef NUVIPLMStateMonitor_h
#define NUVIPLMStateMonitor_h

#include "NUVMathTransformation.h"
#include "NUVVar.h"

class NUVFrmWindow;

class VPL_EXPORT NUVIPLMStateMonitor : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // The position of `iObject` as shown in `iWindow` (null: the current
  // state; today every window shows the same state) into `oPosition`:
  // S_OK, or E_FAIL with the identity for an object that was never placed
  // or null. `iReserved` and `iFlags` are kept for later uses; pass null
  // and 0.
  virtual long GetPosition(NUVBaseUnknown* iObject, NUVFrmWindow* iWindow,
                           NUVMathTransformation& oPosition, void* iReserved, int iFlags) = 0;
  // Records where `iObject` now stands: `iPlacement` carries its own
  // coordinates into world coordinates. The monitor holds a reference on
  // the object until RemovePlacement or its own end. E_INVALIDARG for a
  // null object, E_FAIL for a placement that cannot be inverted (nothing
  // is recorded). Movers that want subscribers told also publish the move
  // on the state dispatcher.
  virtual long SetPlacement(NUVBaseUnknown* iObject, const NUVMathTransformation& iPlacement) = 0;
  // Forgets `iObject` and gives its reference back; a stranger is ignored.
  virtual void RemovePlacement(NUVBaseUnknown* iObject) = 0;
};

#define IID_NUVIPLMStateMonitor (NUVIPLMStateMonitor::ClassId())
typedef NUVVar<NUVIPLMStateMonitor> NUVIPLMStateMonitor_var;

#endif
