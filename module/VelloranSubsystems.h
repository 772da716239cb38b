// Load and unload hooks of libVelloran's subsystems (internal, not
// exported). VelloranModuleLoad calls the load hooks in the order below;
// VelloranModuleUnload calls the unload hooks in reverse order. A load hook
// registers its classes with the component dictionary, reads its
// environment flags and builds its module-wide state; its unload hook
// destroys that state and leaves nothing of the library registered with the
// host (loop registrations and callbacks included).
//
// Threading: run on the thread that loads or unloads the library, which is
// the application's user-interface thread; never concurrently with any
// other entry point of the library.
#ifndef VelloranSubsystems_h
#define VelloranSubsystems_h

void VelloranMessagingLoad();
void VelloranMessagingUnload();
void VelloranWindowServicesLoad();
void VelloranWindowServicesUnload();
void VelloranVizServicesLoad();
void VelloranVizServicesUnload();
// Parts of the visualization services, called by their load and unload hooks.
void VelloranVizTraversalLoad();
void VelloranVizPathsLoad();
void VelloranVizPathsUnload();
void VelloranErrorsLoad();
void VelloranErrorsUnload();

void VelloranRedrawLoad();
void VelloranRedrawUnload();
void VelloranObservationLoad();
void VelloranObservationUnload();
void VelloranCollabLoad();
void VelloranCollabUnload();

#endif
