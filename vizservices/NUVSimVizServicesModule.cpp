#include "VelloranModuleParts.h"

void VelloranVizServicesLoad() {}
void VelloranVizServicesUnload() {}
