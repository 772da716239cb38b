// NUVModelIdentificator: names the model object a representation shows (an
// occurrence, a part), so that a picked representation leads back to it.
//
//   rep->GetModelIdentificator().SetId(occurrence);
//   NUVBaseUnknown* model = rep->GetModelIdentificator().GetId();
//
// It holds NO reference: the model object holds its representation, and a
// reference back would make a cycle that is never freed. The model object
// clears the id (SetId(nullptr)) when it lets the representation go.
// A value; no shared state.
#ifndef NUVModelIdentificator_h
#define NUVModelIdentificator_h

#include "VelloranPlatformExport.h"

class NUVBaseUnknown;

class VPL_EXPORT NUVModelIdentificator {
 public:
  NUVModelIdentificator() : _pId(nullptr) {}
  NUVBaseUnknown* GetId() const { return _pId; }
  void SetId(NUVBaseUnknown* id) { _pId = id; }

 private:
  NUVBaseUnknown* _pId;
};

#endif
