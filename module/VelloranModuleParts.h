// Load and unload steps of each subsystem, called in order by
// VelloranModuleLoad and in reverse order by VelloranModuleUnload
// (internal, not exported).
#ifndef VelloranModuleParts_h
#define VelloranModuleParts_h

void VelloranMessagingLoad();
void VelloranMessagingUnload();
void VelloranWindowServicesLoad();
void VelloranWindowServicesUnload();
void VelloranVizServicesLoad();
void VelloranVizServicesUnload();
void VelloranErrorsLoad();
void VelloranErrorsUnload();

void VelloranRedrawLoad();
void VelloranRedrawUnload();

#endif
