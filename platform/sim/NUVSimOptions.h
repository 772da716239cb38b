// NUVSimOptions: the options of a play that a controller hands to its agents
// through its initialization interface (NUVISimInitialization::GetOptions).
//
//   NUVSimOptions options;                      // every option off
//   if (!!init) init->GetOptions(options);
//   noRealTime = options.GetNoRealTime();
//
// A plain value. Threading: user-interface thread only.
#ifndef NUVSimOptions_h
#define NUVSimOptions_h

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVSimOptions {
 public:
  NUVSimOptions() : _NoRealTime(0) {}

  // True when agents must not pace play on real time, whatever the user's
  // real-time setting says (for instance a batch run or a replay).
  unsigned char GetNoRealTime() const { return _NoRealTime; }
  void SetNoRealTime(unsigned char iNoRealTime) { _NoRealTime = iNoRealTime ? 1 : 0; }

 private:
  unsigned char _NoRealTime;
};

#endif
