// Registers the simulation engine's components with the component
// dictionary when the platform library is loaded: the structured agents and
// the clash synchronisation component the master observation coordinator
// creates by name, the two controllers, the moving-object agent and the
// dynamic interactive agent.
#include "NUVDictionary.h"
#include "NUVFillDictionary.h"
#include "NUVSimKeyFrameController.h"
#include "NUVSimMovingObjectAgent.h"
#include "NUVSimNegociatedTimeController.h"
#include "NUVSimProbesStructuredAgentKeyFrame.h"
#include "NUVSimProbesStructuredAgentNegociatedTime.h"
#include "RWMWDMSortImpl.h"
#include "TavrinDynInteractiveAgent.h"

namespace {

const char* const kLibrary = "VelloranPlatform";

template <class T>
NUVBaseUnknown* Create() {
  return NUVNew<T>();
}

template <class T>
void RegisterClass(const char* creationName) {
  NUVDictionary::RegisterMetaClass(kLibrary, T::ClassName(), &T::MetaObject);
  NUVFillDictionary::RegisterFunctionCreation(creationName, &Create<T>, kLibrary);
}

void RegisterSimEngine() {
  RegisterClass<NUVSimProbesStructuredAgentKeyFrame>("NUVSimProbesStructuredAgentKF");
  RegisterClass<NUVSimProbesStructuredAgentNegociatedTime>("NUVSimProbesStructuredAgentNT");
  RegisterClass<RWMWDMSortImpl>("RWMWDMSortImpl");
  RegisterClass<NUVSimKeyFrameController>("NUVSimKeyFrameController");
  RegisterClass<NUVSimNegociatedTimeController>("NUVSimNegociatedTimeController");
  RegisterClass<NUVSimMovingObjectAgent>("NUVSimMovingObjectAgent");
  RegisterClass<TavrinDynInteractiveAgent>("TavrinDynInteractiveAgent");
}

// Registrations live as long as the process: the dictionary is never
// destroyed and the platform library is unloaded only at exit.
struct SimEngineRegistration {
  SimEngineRegistration() { RegisterSimEngine(); }
};

const SimEngineRegistration registration;

}  // namespace
