// Registers the product-tree components with the component dictionary when
// the platform library is loaded: the occurrence traverser, created by the
// name "NUVSimOccurrenceTraverser".
#include "NUVDictionary.h"
#include "NUVFillDictionary.h"
#include "NUVSimOccurrenceTraverser.h"

namespace {

const char* const kLibrary = "VelloranPlatform";

NUVBaseUnknown* CreateOccurrenceTraverser() { return NUVNew<NUVSimOccurrenceTraverser>(); }

// Registrations live as long as the process: the dictionary is never
// destroyed and the platform library is unloaded only at exit.
struct PLMRegistration {
  PLMRegistration() {
    NUVDictionary::RegisterMetaClass(kLibrary, NUVSimOccurrenceTraverser::ClassName(),
                                     &NUVSimOccurrenceTraverser::MetaObject);
    NUVFillDictionary::RegisterFunctionCreation("NUVSimOccurrenceTraverser",
                                                &CreateOccurrenceTraverser, kLibrary);
  }
};

const PLMRegistration registration;

}  // namespace
