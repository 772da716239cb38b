#include "NUVSimErrorsModule.h"

#include "NUVDictionary.h"
#include "NUVSimErrorDataCustom.h"
#include "NUVSimRaiseError.h"
#include "VelloranModule.h"
#include "VelloranSubsystems.h"

void VelloranErrorsLoad() {
  NUVESimErrorManagerRegister();
  NUVDictionary::RegisterMetaClass(VELLORAN_LIBRARY_NAME, "NUVSimErrorDataCustom",
                                   &NUVSimErrorDataCustom::MetaObject);
  NUVDictionary::RegisterMetaClass(VELLORAN_LIBRARY_NAME, "NUVSimRaiseError",
                                   &NUVSimRaiseError::MetaObject);
  NUVESimErrorManagerReadSettings();
  PLMSimErrorRegistryCreate();
}

void VelloranErrorsUnload() { PLMSimErrorRegistryDestroy(); }
