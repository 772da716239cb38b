#include "VelloranModuleParts.h"

void VelloranMessagingLoad() {}
void VelloranMessagingUnload() {}
