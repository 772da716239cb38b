// NUVISimInitialization: what a controller tells its agents at
// initialisation. Agents reach it through the controller's GetInitialization.
//
//   NUVISimInitialization_var init;
//   controller->GetInitialization(init);
//   NUVSimOptions options; if (!!init) init->GetOptions(options);
//
// Threading: user-interface thread only.
#ifndef NUVISimInitialization_h
#define NUVISimInitialization_h

#include "NUVSimOptions.h"
#include "NUVVar.h"

class VPL_EXPORT NUVISimInitialization : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Overwrites every option of `oOptions` with the play's.
  virtual long GetOptions(NUVSimOptions& oOptions) = 0;
};

#define IID_NUVISimInitialization (NUVISimInitialization::ClassId())
typedef NUVVar<NUVISimInitialization> NUVISimInitialization_var;

#endif
