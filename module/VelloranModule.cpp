#include "VelloranModule.h"

#include "NUVDictionary.h"
#include "VelloranSubsystems.h"

void VelloranModuleLoad() {
  // Environment flags first: construction of module state may consult them.
  VelloranMessagingLoad();
  VelloranWindowServicesLoad();
  VelloranVizServicesLoad();
  VelloranErrorsLoad();
  VelloranRedrawLoad();
  VelloranObservationLoad();
  VelloranCollabLoad();
}

void VelloranModuleUnload() {
  VelloranCollabUnload();
  VelloranObservationUnload();
  VelloranRedrawUnload();
  VelloranErrorsUnload();
  VelloranVizServicesUnload();
  VelloranWindowServicesUnload();
  VelloranMessagingUnload();
  NUVDictionary::UnregisterLibrary(VELLORAN_LIBRARY_NAME);
}

namespace {

struct VelloranRegistration {
  VelloranRegistration() { VelloranModuleLoad(); }
  ~VelloranRegistration() { VelloranModuleUnload(); }
};

const VelloranRegistration registration;

}  // namespace
