// NUVOsDivert (internal to the platform layer, Windows only): keeps the
// diversion of the steered calls (see NUVOsTestHooks.h) right as libraries
// come and go. NUVOsLibrary calls it; the functions exist on Windows only.
//
// Threading: user-interface thread only, like the controls.
#ifndef NUVOsDivert_h
#define NUVOsDivert_h

#include <cstddef>

// Diverts the newly loaded `module`'s imports as the controls have diverted
// the others'; nothing while no control has been used.
void NUVOsDivertLoadedModule(void* module);
// Forgets the diverted slots of a module that has left the process, the
// `size` bytes of its image from `base`.
void NUVOsForgetModule(const void* base, size_t size);

#endif
