#include "NUVECoMessengerForSimEngine.h"
#include "NUVSimVizServices.h"

unsigned char NUVSimVizServices::IsCoReviewLeader() {
  NUVECoMessengerForSimEngine* messenger = NUVECoMessengerForSimEngine::GetLiveMessenger();
  return messenger ? messenger->IsLeader() : 0;
}

unsigned char NUVSimVizServices::IsCoReviewFollower() {
  NUVECoMessengerForSimEngine* messenger = NUVECoMessengerForSimEngine::GetLiveMessenger();
  return messenger ? messenger->IsFollower() : 0;
}
