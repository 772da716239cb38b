// NUVPLMStateMonitor: the platform's PLM state monitor (see
// NUVIPLMStateMonitor), one per process, reached through
// NUVGetPLMStateMonitor. Each placed object is kept with its placement's
// inverse computed once, so position queries cost one table look-up.
//
//   NUVPLMStateMonitor* m = NUVGetPLMStateMonitor::CreatePLMStateMonitor();
//   m->SetPlacement(object, NUVMathTransformation::Translation(where));
//
// Threading: user-interface thread only.
#ifndef NUVPLMStateMonitor_h
#define NUVPLMStateMonitor_h

#include <unordered_map>

#include "NUVIPLMStateMonitor.h"

class VPL_EXPORT NUVPLMStateMonitor : public NUVIPLMStateMonitor {
  NUV_DECLARE_CLASS
 public:
  NUVPLMStateMonitor();
  // Gives back the references on the placed objects.
  ~NUVPLMStateMonitor() override;
  NUVPLMStateMonitor(const NUVPLMStateMonitor&) = delete;
  NUVPLMStateMonitor& operator=(const NUVPLMStateMonitor&) = delete;

  long GetPosition(NUVBaseUnknown* iObject, NUVFrmWindow* iWindow, NUVMathTransformation& oPosition,
                   void* iReserved, int iFlags) override;
  long SetPlacement(NUVBaseUnknown* iObject, const NUVMathTransformation& iPlacement) override;
  void RemovePlacement(NUVBaseUnknown* iObject) override;
  int GetPlacedCount() const { return static_cast<int>(_Positions.size()); }

 private:
  // Key: the implementation object, holding one reference.
  std::unordered_map<NUVBaseUnknown*, NUVMathTransformation> _Positions;
};

#endif
