#include "NUVSimMessageQueue.h"
#include "VelloranModuleParts.h"

void VelloranMessagingLoad() { NUVSimMessageQueue::ReadWakeUpSetting(); }

void VelloranMessagingUnload() { NUVSimMessageQueue::DeleteMessageQueueInstance(); }
