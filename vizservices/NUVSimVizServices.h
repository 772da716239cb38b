// Placeholder until input polling lands.
#ifndef NUVSimVizServices_h
#define NUVSimVizServices_h
#include "NUVBaseUnknown.h"
#include "VelloranExport.h"
class VELLORAN_EXPORT NUVSimVizServices : public NUVBaseUnknown {
 public:
  static unsigned char IsKTRReplaySynced();
  static unsigned char MouseButtonOrKeyPressed();
};
#endif
