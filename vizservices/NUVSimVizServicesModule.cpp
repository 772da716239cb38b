#include "NUVDictionary.h"
#include "NUVSimVizServices.h"
#include "VelloranModule.h"
#include "VelloranSubsystems.h"

void VelloranVizServicesLoad() {
  NUVDictionary::RegisterMetaClass(VELLORAN_LIBRARY_NAME, "NUVSimVizServices",
                                   &NUVSimVizServices::MetaObject);
  VelloranVizTraversalLoad();
  VelloranVizPathsLoad();
}

void VelloranVizServicesUnload() { VelloranVizPathsUnload(); }
