#include "NUVSimCoReviewNotification.h"

NUV_IMPLEMENT_CLASS(NUVSimCoReviewNotification, NUVSimNotification, "VelloranPlatform")

NUVSimCoReviewNotification::NUVSimCoReviewNotification() = default;

NUVSimCoReviewNotification::~NUVSimCoReviewNotification() = default;
