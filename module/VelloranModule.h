// Module-wide start-up and shut-down of libVelloran (internal, not exported).
//
// One registration object, built when the library is loaded, calls
// VelloranModuleLoad: it registers every class with the component dictionary
// under the library name "Velloran", reads the environment flags once and
// creates the module-wide state, in that order. Its destructor, run when the
// library is unloaded, calls VelloranModuleUnload, which undoes everything in
// reverse order.
//
// Threading: both run on the thread that loads or unloads the library (the
// application's user-interface thread), from the dynamic loader.
#ifndef VelloranModule_h
#define VelloranModule_h

#define VELLORAN_LIBRARY_NAME "Velloran"

void VelloranModuleLoad();
void VelloranModuleUnload();

#endif
