#include "NUVSimMessage.h"

#include "NUVSimMessageQueue.h"
#include "VelloranModule.h"

NUV_IMPLEMENT_CLASS(NUVSimMessage, NUVBaseUnknown, VELLORAN_LIBRARY_NAME)

NUVSimMessage::NUVSimMessage() : _Idle(1) {}

NUVSimMessage::NUVSimMessage(const NUVSimMessage& source)
    : NUVBaseUnknown(source), _Idle(source._Idle) {}

NUVSimMessage::~NUVSimMessage() = default;

void NUVSimMessage::Post() {
  _Idle = 0;
  if (NUVSimMessageQueue* queue = NUVSimMessageQueue::GetInstance()) queue->AddMessage(this);
}

void NUVSimMessage::Execute(unsigned char) { _Idle = 1; }
