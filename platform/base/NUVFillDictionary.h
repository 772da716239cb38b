// NUVFillDictionary: the registration of creation functions by name, as a
// library calls it when it is loaded; the name then creates the component
// through NUVInstantiateComponent (see NUVDictionary).
//
//   NUVFillDictionary::RegisterFunctionCreation("NUVSimAgentRedraw3D", &Create, "Velloran");
//
// Threading: user-interface thread only.
#ifndef NUVFillDictionary_h
#define NUVFillDictionary_h

#include "NUVDictionary.h"

class VPL_EXPORT NUVFillDictionary {
 public:
  static void RegisterFunctionCreation(const char* name, NUVCreationFunction create,
                                       const char* library);
};

#endif
