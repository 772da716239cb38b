#include "NUVDictionary.h"
#include "NUVSimDrawOrContinueMessage.h"
#include "NUVSimMessage.h"
#include "NUVSimMessageQueue.h"
#include "VelloranModule.h"
#include "VelloranSubsystems.h"

void VelloranMessagingLoad() {
  NUVDictionary::RegisterMetaClass(VELLORAN_LIBRARY_NAME, "NUVSimMessage", &NUVSimMessage::MetaObject);
  NUVDictionary::RegisterMetaClass(VELLORAN_LIBRARY_NAME, "NUVSimDrawOrContinueMessage",
                                   &NUVSimDrawOrContinueMessage::MetaObject);
  NUVSimMessageQueue::ReadWakeUpSetting();
  NUVSimDrawOrContinueMessage::ReadMapCursorSetting();
}

void VelloranMessagingUnload() { NUVSimMessageQueue::DeleteForUnload(); }
