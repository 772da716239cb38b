// NUVParmDictionary: where the platform's parameters come from. Its volatile
// factory creates parameters that are never saved, for code that needs a
// magnitude for a moment.
//
//   NUVIQlmParmFactory_var factory = NUVParmDictionary::GetVolatileFactory();
//   NUVIQlmParm_var time = factory->CreateTime("Duration", 1.0);
//
// A host (or a test) may install a factory of its own with
// SetVolatileFactory, for instance one whose magnitudes have other units;
// RestoreVolatileFactory puts the platform's own back. Installing null
// leaves the process without a factory: GetVolatileFactory then returns null.
// Threading: user-interface thread only.
#ifndef NUVParmDictionary_h
#define NUVParmDictionary_h

#include "NUVIQlmParmFactory.h"

class VPL_EXPORT NUVParmDictionary {
 public:
  // The factory of volatile parameters; null only when null was installed.
  static NUVIQlmParmFactory_var GetVolatileFactory();
  // Replaces the factory (the dictionary holds a reference to it).
  static void SetVolatileFactory(NUVIQlmParmFactory* factory);
  // Reinstalls the platform's own factory.
  static void RestoreVolatileFactory();
};

#endif
