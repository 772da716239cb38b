#include "NUVPLMStateOccurrenceMovedNotif.h"

NUV_IMPLEMENT_CLASS(NUVPLMStateOccurrenceMovedNotif, NUVNotification, "VelloranPlatform")

NUVPLMStateOccurrenceMovedNotif::NUVPLMStateOccurrenceMovedNotif(NUVBaseUnknown* iOccurrence)
    : _Occurrence(iOccurrence) {}

NUVPLMStateOccurrenceMovedNotif::~NUVPLMStateOccurrenceMovedNotif() = default;
