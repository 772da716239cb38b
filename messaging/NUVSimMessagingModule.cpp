#include "NUVDictionary.h"
#include "NUVSimMessage.h"
#include "NUVSimMessageQueue.h"
#include "VelloranModule.h"
#include "VelloranModuleParts.h"

void VelloranMessagingLoad() {
  NUVDictionary::RegisterMetaClass(VELLORAN_LIBRARY_NAME, "NUVSimMessage", &NUVSimMessage::MetaObject);
  NUVSimMessageQueue::ReadWakeUpSetting();
}

void VelloranMessagingUnload() { NUVSimMessageQueue::DeleteMessageQueueInstance(); }
