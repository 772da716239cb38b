#include "NUVSimVizServices.h"
unsigned char NUVSimVizServices::IsKTRReplaySynced() { return 0; }
unsigned char NUVSimVizServices::MouseButtonOrKeyPressed() { return 0; }
