// NUVDictionary: the component dictionary.
//
// Libraries register, when they are loaded: their meta classes, the
// interfaces each class implements through a TIE (with the function that
// builds or finds the TIE), and creation functions under a name. Everything a
// library registered goes away with UnregisterLibrary, called when it is
// unloaded.
//
//   NUVDictionary::RegisterInterface("Velloran", "NUVSimAgentRedraw3D",
//       "NUVISimAgentKeyFrame", &CreateTIENUVISimAgentKeyFrameNUVSimAgentRedraw3D);
//   NUVISimAgentKeyFrame* agent = nullptr;
//   NUVInstantiateComponent("NUVSimAgentRedraw3D", IID_NUVISimAgentKeyFrame, (void**)&agent);
//
// Threading: user-interface thread only.
#ifndef NUVDictionary_h
#define NUVDictionary_h

#include "NUVBaseUnknown.h"
#include "VelloranPlatformExport.h"

// Builds a new object with one reference for the caller; null on failure.
typedef NUVBaseUnknown* (*NUVCreationFunction)();
// Finds or builds the TIE of an interface on an implementation object and
// returns it with one reference for the caller; null on failure.
typedef NUVBaseUnknown* (*NUVTieCreationFunction)(NUVBaseUnknown* implementation);
typedef const NUVMetaClass* (*NUVMetaObjectFunction)();

class VPL_EXPORT NUVDictionary {
 public:
  static void RegisterMetaClass(const char* library, const char* className,
                                NUVMetaObjectFunction metaObject);
  static void RegisterInterface(const char* library, const char* className,
                                const char* interfaceName, NUVTieCreationFunction create);
  static void RegisterCreation(const char* library, const char* name, NUVCreationFunction create);
  // Removes every registration made under `library`.
  static void UnregisterLibrary(const char* library);

  // Null when not registered.
  static const NUVMetaClass* FindMetaClass(const char* className);
  static NUVTieCreationFunction FindInterface(const char* className, const char* interfaceName);
  static NUVCreationFunction FindCreation(const char* name);
  // How many registrations `library` holds.
  static int CountRegistrations(const char* library);
};

// Creates the component registered under `name` and queries `iid` on it.
// S_OK with *out set; E_FAIL when no creation function exists or it yields
// nothing; E_NOINTERFACE when the object lacks the interface (*out null).
VPL_EXPORT long NUVInstantiateComponent(const char* name, const NUVIID& iid, void** out);

#endif
