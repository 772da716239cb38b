// NUVSimDrawOrContinueMessage: the message that couples simulation play to
// the display.
//
//   auto* draw = new NUVSimDrawOrContinueMessage(layout, editor, computeMessage);
//   draw->SetDrawable(1); draw->Post();   // redraw, then continue after the swaps
//
// Executed, a drawable message redraws the 3D windows and registered viewers
// of the current editor and waits until every watched 3D window of its
// layout and editor has swapped its buffers; only then does it post its next
// message (the compute message), so the next step is computed once the
// previous one is on screen. A message that is not drawable posts its next
// message at once. Under record/replay synchronisation during a replay the
// next message runs inside the execution instead of being posted. After an
// execution the current window's mouse device is brought back to the cursor
// and the viewer asked to pick again, unless "PLMSIM_DONT_MAP_CURSOR" was
// defined when the library loaded or a mouse button is held.
//
// A watched window deleted during the wait is no longer awaited; when the
// other windows have all swapped by then, the wait ends at the deletion.
//
// The message holds a reference on its next message; layout and editor are
// plain pointers. The owner calls RemoveDisplayCallbacks before releasing it.
//
// Threading: user-interface thread only; swaps and window deletions arrive
// as platform notifications on that thread.
#ifndef NUVSimDrawOrContinueMessage_h
#define NUVSimDrawOrContinueMessage_h

#include "NUVRawCollPV.h"
#include "NUVSimMessage.h"
#include "VelloranExport.h"

class NUVFrmEditor;
class NUVFrmLayout;
class NUVNotification;
class NUVSYPEventArgs;
void VelloranMessagingLoad();

class VELLORAN_EXPORT NUVSimDrawOrContinueMessage : public NUVSimMessage {
  NUV_DECLARE_CLASS
 public:
  NUVSimDrawOrContinueMessage(NUVFrmLayout* layout, NUVFrmEditor* editor, NUVSimMessage* next);
  ~NUVSimDrawOrContinueMessage() override;

  // Posts only when not posted already.
  void Post() override;
  void Execute(unsigned char flush) override;

  void SetDrawable(unsigned char drawable) { _Drawable = drawable ? 1 : 0; }
  unsigned char GetDrawable() const { return _Drawable; }

  // Watches the swaps of the 3D windows of the layout and editor (and of
  // watched controls) and the deletion of windows.
  void AddDisplayCallbacks();
  // Stops watching and clears the counters.
  void RemoveDisplayCallbacks();

  void PostDisplayCB(const char* event, void* publisher, NUVNotification* notification,
                     void* clientData, int callbackId);
  void PostVidDisplayCB(NUVBaseUnknown* sender, NUVSYPEventArgs* args);
  void RemoveWindowCB(const char* event, void* publisher, NUVNotification* notification,
                      void* clientData, int callbackId);

  // Swaps awaited and received; callbacks in place.
  int GetExpected() const { return _Expected; }
  int GetReceived() const { return _Received; }
  unsigned char CallbacksInstalled() const { return _CallbacksInstalled; }

  static NUVBaseUnknown* CreateItself() { return nullptr; }

 private:
  // Reads "PLMSIM_DONT_MAP_CURSOR" once, when the library loads.
  friend void VelloranMessagingLoad();
  VELLORAN_INTERNAL static void ReadMapCursorSetting();

  // One swap counted; the last one continues.
  void CountSwap();
  // Ends the wait once the swaps received cover those expected: a watched
  // window deleted after the others swapped ends it too.
  void CompleteWhenAllSwapped();

  NUVFrmLayout* _pLayout;
  NUVFrmEditor* _pEditor;
  int _Expected;
  int _Received;
  unsigned char _Drawable;
  unsigned char _CallbacksInstalled;
  NUVSimMessage* _pNext;
  // 3D viewer controls watched besides the windows; nothing fills it yet.
  NUVRawCollPV _WatchedControls;
  // Controls a swap handler was added to, each at most once.
  NUVRawCollPV _HookedControls;
};

#endif
