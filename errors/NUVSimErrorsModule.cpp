// Load and unload hooks of the simulation error reporting, called by the
// module when the library is loaded and unloaded (user-interface thread).
#include "NUVDictionary.h"
#include "NUVESimErrorManager.h"
#include "NUVSimErrorDataCustom.h"
#include "NUVSimRaiseError.h"
#include "PLMGetSimErrorManager.h"
#include "VelloranModule.h"
#include "VelloranSubsystems.h"

void VelloranErrorsLoad() {
  NUVESimErrorManager::Register();
  NUVDictionary::RegisterMetaClass(VELLORAN_LIBRARY_NAME, "NUVSimErrorDataCustom",
                                   &NUVSimErrorDataCustom::MetaObject);
  NUVDictionary::RegisterMetaClass(VELLORAN_LIBRARY_NAME, "NUVSimRaiseError",
                                   &NUVSimRaiseError::MetaObject);
  NUVESimErrorManager::ReadErrorWindowSetting();
  PLMGetSimErrorManager::CreateRegistry();
}

void VelloranErrorsUnload() { PLMGetSimErrorManager::DestroyRegistry(); }
