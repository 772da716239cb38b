#include "NUVSimKeyFrameController.h"

NUV_IMPLEMENT_CLASS(NUVSimKeyFrameController, NUVISimControllerKeyFrame, "VelloranPlatform")

namespace {
int CompareAscending(const NUVSimValue* a, const NUVSimValue* b) {
  return *a < *b ? -1 : (*b < *a ? 1 : 0);
}
}  // namespace

NUVSimKeyFrameController::NUVSimKeyFrameController() : _Mode(FramesNone) {}

NUVSimKeyFrameController::~NUVSimKeyFrameController() = default;

long NUVSimKeyFrameController::SetKeyFrames(const NUVSimValue& iStart, const NUVSimValue& iEnd,
                                            const NUVSimValue& iStep) {
  if (State() == StatePlaying) return E_UNEXPECTED;
  if (iStep <= NUVSimValue() || iEnd < iStart) return E_INVALIDARG;
  _Mode = FramesGrid;
  _Start = iStart;
  _End = iEnd;
  _Step = iStep;
  _Frames.RemoveAll();
  return S_OK;
}

long NUVSimKeyFrameController::SetKeyFrameList(const NUVListValNUVSimValue& iFrames) {
  if (State() == StatePlaying) return E_UNEXPECTED;
  if (iFrames.Size() == 0) return E_INVALIDARG;
  NUVListValNUVSimValue sorted = iFrames;
  sorted.QuickSort(&CompareAscending);
  _Frames.RemoveAll();
  for (int i = 1; i <= sorted.Size(); ++i) {
    if (_Frames.Size() == 0 || _Frames[_Frames.Size()] != sorted[i]) _Frames.Append(sorted[i]);
  }
  _Mode = FramesList;
  return S_OK;
}

bool NUVSimKeyFrameController::NextValue(AgentVar&, bool, NUVSimValue& oValue) {
  if (_Mode == FramesList) {
    oValue = _Frames[_Played + 1];
    return _Played + 1 >= _Frames.Size();
  }
  // Grid: built by addition from the previous frame, which is exact for
  // NUVSimValue, so no frame drifts off the grid.
  if (_Played == 0) {
    oValue = _Start;
  } else {
    oValue = _Current;
    oValue += _Step;
  }
  if (oValue >= _End) {
    oValue = _End;
    return true;
  }
  return false;
}
