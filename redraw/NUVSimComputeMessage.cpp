#include "NUVSimComputeMessage.h"

#include "NUVSimValue.h"
#include "NUVSimVizServices.h"
#include "NUVSimWindowServices.h"
#include "VelloranModule.h"

NUV_IMPLEMENT_CLASS(NUVSimComputeMessage, NUVSimMessage, VELLORAN_LIBRARY_NAME)

NUVSimComputeMessage::NUVSimComputeMessage(NUVISimControllerKeyFrame_var controller)
    : _KeyFrameController(std::move(controller)), _Forced(0) {}

NUVSimComputeMessage::NUVSimComputeMessage(NUVISimControllerNegociatedTime_var controller)
    : _NegociatedTimeController(std::move(controller)), _Forced(0) {}

NUVSimComputeMessage::~NUVSimComputeMessage() {
  _KeyFrameController = nullptr;
  _NegociatedTimeController = nullptr;
}

void NUVSimComputeMessage::ForcePost() { _Forced = 1; }

void NUVSimComputeMessage::Post() {
  if (IsPosted()) return;
  if (_Forced) {
    _Forced = 0;
    NUVSimMessage::Post();
    return;
  }
  unsigned char ok = 1;
  if (!!_KeyFrameController) {
    _KeyFrameController->CanContinue(ok);
  } else if (!!_NegociatedTimeController) {
    _NegociatedTimeController->CanContinue(ok);
  }
  if (ok) NUVSimMessage::Post();
}

void NUVSimComputeMessage::Execute(unsigned char flush) {
  if (flush) {
    NUVSimMessage::Execute(1);
    return;
  }
  AddRef();  // the controller's work may release the last other reference
  if (!!_KeyFrameController) {
    NUVISimControllerKeyFrame_var controller = _KeyFrameController;
    controller->Iterate();
    unsigned char ok = 1;
    controller->CanContinue(ok);
    if (!ok) NUVSimWindowServices::StopAnimation(0);
  } else if (!!_NegociatedTimeController) {
    NUVISimControllerNegociatedTime_var controller = _NegociatedTimeController;
    for (int i = 0; i < MaxIterationsPerRun; ++i) {
      controller->Iterate();
      unsigned char ok = 1;
      controller->CanContinue(ok);
      if (!ok) {
        NUVSimWindowServices::StopAnimation(0);
        break;
      }
      unsigned char finished = 1;
      controller->IsRunFinished(finished);
      if (finished) break;
      NUVSimValue value;
      int status = 0;
      controller->GetCurrentValueAndStatus(value, status);
      if (status != 0 && static_cast<unsigned int>(status) % 100u == 0) break;
      if (NUVSimVizServices::MouseButtonOrKeyPressed()) break;
    }
  }
  NUVSimMessage::Execute(0);
  Release();
}
