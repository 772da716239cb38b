// NUVSimPlayInitialization: the initialization object of a controller; it
// holds the options the controller's agents read at Init.
//
//   NUVSimPlayInitialization* init = new NUVSimPlayInitialization;
//   NUVSimOptions o; o.SetNoRealTime(1); init->SetOptions(o);
//
// Threading: user-interface thread only.
#ifndef NUVSimPlayInitialization_h
#define NUVSimPlayInitialization_h

#include "NUVISimInitialization.h"

class VPL_EXPORT NUVSimPlayInitialization : public NUVISimInitialization {
  NUV_DECLARE_CLASS
 public:
  NUVSimPlayInitialization();
  ~NUVSimPlayInitialization() override;

  long GetOptions(NUVSimOptions& oOptions) override;
  void SetOptions(const NUVSimOptions& iOptions) { _Options = iOptions; }
  const NUVSimOptions& Options() const { return _Options; }

 private:
  NUVSimOptions _Options;
};

#endif
