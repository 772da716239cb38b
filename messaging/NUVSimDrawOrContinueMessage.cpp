#include "NUVSimDrawOrContinueMessage.h"

#include "NUVCallbackManager.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVGetEnvValue.h"
#include "NUVGraphicWindow.h"
#include "NUVMouseDevice.h"
#include "NUVRecord.h"
#include "NUVSYPEventArgs.h"
#include "NUVSYPWRefMethEventHandler.h"
#include "NUVSimVizServices.h"
#include "NUVSimWindowServices.h"
#include "NUVVidCtl3DViewer.h"
#include "NUVViewer.h"
#include "VelloranModule.h"

NUV_IMPLEMENT_CLASS(NUVSimDrawOrContinueMessage, NUVSimMessage, VELLORAN_LIBRARY_NAME)

namespace {
bool g_MapCursor = true;

NUVGraphicWindow* SupportOf(NUVFrmWindow* window) {
  NUVViewer* viewer = window ? window->GetViewer() : nullptr;
  return viewer ? viewer->GetSupport() : nullptr;
}
}  // namespace

void NUVSimDrawOrContinueMessage::ReadMapCursorSetting() {
  g_MapCursor = NUVGetEnvValue("PLMSIM_DONT_MAP_CURSOR") != 0;
}

NUVSimDrawOrContinueMessage::NUVSimDrawOrContinueMessage(NUVFrmLayout* layout,
                                                         NUVFrmEditor* editor,
                                                         NUVSimMessage* next)
    : _pLayout(layout),
      _pEditor(editor),
      _Expected(0),
      _Received(0),
      _Drawable(0),
      _CallbacksInstalled(0),
      _pNext(next) {
  if (_pNext) _pNext->AddRef();
}

NUVSimDrawOrContinueMessage::~NUVSimDrawOrContinueMessage() {
  RemoveDisplayCallbacks();
  _pLayout = nullptr;
  _pEditor = nullptr;
  _WatchedControls.RemoveAll();
  _HookedControls.RemoveAll();
  if (_pNext) {
    _pNext->Release();
    _pNext = nullptr;
  }
}

void NUVSimDrawOrContinueMessage::Post() {
  if (!IsPosted()) NUVSimMessage::Post();
}

void NUVSimDrawOrContinueMessage::AddDisplayCallbacks() {
  if (_CallbacksInstalled || !_pLayout) return;
  NUVListPtrNUVFrmWindow windows = NUVSimWindowServices::GetWindowList(_pLayout, _pEditor);
  _Expected = _WatchedControls.Size() + windows.Size();
  if (_Expected == 0) return;
  for (int i = 1; i <= windows.Size(); ++i) {
    if (NUVGraphicWindow* support = SupportOf(windows[i])) {
      ::AddCallback(this, support, NUVGraphicWindow::GRAPHICWINDOW_SWAP(),
                    NUVSubscriberMethodCast(&NUVSimDrawOrContinueMessage::PostDisplayCB), this);
    }
  }
  for (int i = 1; i <= _WatchedControls.Size(); ++i) {
    auto* control = static_cast<NUVVidCtl3DViewer*>(_WatchedControls[i]);
    if (!control || _HookedControls.Locate(control) != 0) continue;
    _HookedControls.Append(control);
    NUVSYPWRefMethEventHandler<NUVSimDrawOrContinueMessage>::AddTo(
        control, NUVVidCtlViewerBase::GraphicWindowSwapEvt(), this,
        &NUVSimDrawOrContinueMessage::PostVidDisplayCB);
  }
  ::AddCallback(this, _pLayout->GetCallbackManager(), NUVFrmWindow::WINDOW_DELETED(),
                NUVSubscriberMethodCast(&NUVSimDrawOrContinueMessage::RemoveWindowCB), this);
  _CallbacksInstalled = 1;
}

void NUVSimDrawOrContinueMessage::RemoveDisplayCallbacks() {
  if (!_CallbacksInstalled || !_pLayout) return;
  ::RemoveCallbacksOn(this, _pLayout->GetCallbackManager(), NUVFrmWindow::WINDOW_DELETED(), this);
  NUVListPtrNUVFrmWindow windows = NUVSimWindowServices::GetWindowList(_pLayout, _pEditor);
  for (int i = 1; i <= windows.Size(); ++i) {
    if (NUVGraphicWindow* support = SupportOf(windows[i])) {
      ::RemoveCallbacksOn(this, support, NUVGraphicWindow::GRAPHICWINDOW_SWAP(), this);
    }
  }
  _Expected = 0;
  _Received = 0;
  _CallbacksInstalled = 0;
}

void NUVSimDrawOrContinueMessage::CountSwap() {
  ++_Received;
  CompleteWhenAllSwapped();
}

void NUVSimDrawOrContinueMessage::CompleteWhenAllSwapped() {
  if (_Received < _Expected) return;
  RemoveDisplayCallbacks();
  _Drawable = 0;
  Execute(0);
}

void NUVSimDrawOrContinueMessage::PostDisplayCB(const char*, void*, NUVNotification*,
                                                void* clientData, int) {
  auto* message = static_cast<NUVSimDrawOrContinueMessage*>(clientData);
  if (!message || !message->IsPosted() || !message->_CallbacksInstalled) return;
  message->CountSwap();
}

void NUVSimDrawOrContinueMessage::PostVidDisplayCB(NUVBaseUnknown* sender, NUVSYPEventArgs*) {
  if (!IsPosted() || !_CallbacksInstalled) return;
  if (sender && _HookedControls.Locate(sender->GetImpl()) == 0 &&
      _HookedControls.Locate(sender) == 0) {
    return;
  }
  CountSwap();
}

void NUVSimDrawOrContinueMessage::RemoveWindowCB(const char*, void* publisher, NUVNotification*,
                                                 void* clientData, int) {
  if (!publisher || !clientData) return;
  auto* object = static_cast<NUVBaseUnknown*>(publisher);
  if (!object->IsAKindOf("NUVFrmWindow")) return;
  auto* window = static_cast<NUVFrmWindow*>(object);
  auto* message = static_cast<NUVSimDrawOrContinueMessage*>(clientData);
  if (window->GetEditor() != message->_pEditor) return;
  if (NUVSimWindowServices::IsA3DWindow(window) != S_OK) return;
  if (NUVGraphicWindow* support = SupportOf(window)) {
    ::RemoveCallbacksOn(message, support, NUVGraphicWindow::GRAPHICWINDOW_SWAP(), message);
  }
  --message->_Expected;
  // The windows still watched may all have swapped already: waiting for
  // one more swap would stall play, so the wait ends here.
  if (message->IsPosted() && message->_CallbacksInstalled) message->CompleteWhenAllSwapped();
}

void NUVSimDrawOrContinueMessage::Execute(unsigned char flush) {
  _Received = 0;
  bool mapCursor = g_MapCursor;
  if (flush) {
    NUVSimMessage::Execute(1);
    NUVSimWindowServices::DrawWindows();
    _Drawable = 0;
    return;
  }
  AddRef();  // a swap callback or the next message may release the owner's reference
  if (_Drawable) {
    AddDisplayCallbacks();
    // Nothing to wait for: idle now; otherwise the last swap continues.
    if (!_CallbacksInstalled) NUVSimMessage::Execute(0);
    NUVSimWindowServices::DrawWindows();
    _Drawable = 0;
  } else if (_pNext) {
    NUVSimMessage::Execute(0);
    if (NUVSimVizServices::IsKTRReplaySynced()) {
      NUVRecord* recorder = NUVRecord::GetMain();
      if (recorder && recorder->IsReplay()) {
        _pNext->Execute(0);
        mapCursor = false;
      }
    } else {
      _pNext->Post();
    }
  }
  NUVFrmLayout* layout = _pLayout;
  Release();
  // The layout pointer was copied: the message itself may be gone now.
  if (mapCursor && layout) {
    NUVFrmWindow* window = layout->GetCurrentWindow();
    NUVViewer* viewer = window ? window->GetViewer() : nullptr;
    if (viewer && viewer->GetMouseDevice().GetPressedButton() == 0) {
      int x = 0, y = 0;
      viewer->GetMouseDevice().GetMousePosition(x, y);
      viewer->GetMouseDevice().SetCurrentEventMousePoint(static_cast<float>(x),
                                                         static_cast<float>(y));
      viewer->DoPickNextTime();
      viewer->GetMouseDevice().ElectionManipulator(0);
    }
  }
}
