// NUVFrmLayout: the arrangement of the application's windows, for every
// editor and of every kind, with one current window. It publishes on its
// callback manager the activation and deletion of its windows
// (NUVFrmWindow::WINDOW_ACTIVATED, WINDOW_DELETED) and the closing of an
// editor (NUVFrmEditor::EDITOR_CLOSE_ENDED), each with the window or editor
// as the callbacks' publisher argument. Subscribers may name either the
// layout or its callback manager as publisher.
//
//   AddCallback(me, layout, NUVFrmWindow::WINDOW_DELETED(), NUVSubscriberMethodCast(&Me::CB), 0);
//   NUVListPtrNUVFrmWindow all = layout->GetWindowList(0, 0);
//
// Threading: user-interface thread only.
#ifndef NUVFrmLayout_h
#define NUVFrmLayout_h

#include <vector>

#include "NUVBaseUnknown.h"
#include "NUVListPtrNUVFrmWindow.h"

class NUVCallbackManager;
class NUVFrmEditor;
class NUVFrmWindow;

class VPL_EXPORT NUVFrmLayout : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUVFrmLayout();
  // Releases the windows without publishing anything.
  ~NUVFrmLayout() override;
  NUVFrmLayout(const NUVFrmLayout&) = delete;
  NUVFrmLayout& operator=(const NUVFrmLayout&) = delete;

  static NUVFrmLayout* GetCurrentLayout();
  // The current layout is held with a reference until replaced; hosts and
  // tests set it back to null when they are done with it.
  static void SetCurrentLayout(NUVFrmLayout* layout);

  NUVCallbackManager* GetCallbackManager() const { return _pCallbackManager; }

  // Appends a window and takes a reference on it. E_INVALIDARG for null,
  // E_FAIL when the window is in the layout already.
  long AddWindow(NUVFrmWindow* window);
  // Takes the window out of the list (and out of being current), publishes
  // WINDOW_DELETED with it, then gives the layout's reference back. The
  // window stays valid during the callbacks. E_FAIL when not in the layout.
  long DeleteWindow(NUVFrmWindow* window);

  // A copy of the window list in the order the windows were added, keeping
  // the windows of `editor` (null: every editor) whose viewer is a kind of
  // `viewerKind` (null: any window, with or without viewer).
  NUVListPtrNUVFrmWindow GetWindowList(NUVFrmEditor* editor, const NUVMetaClass* viewerKind) const;
  int GetWindowCount() const { return static_cast<int>(_Windows.size()); }

  NUVFrmWindow* GetCurrentWindow() const { return _pCurrentWindow; }
  // Makes a window of this layout current and publishes WINDOW_ACTIVATED
  // with it. Null makes no window current and publishes nothing; the
  // current window again publishes nothing. E_FAIL for a window of another
  // layout.
  long SetCurrentWindow(NUVFrmWindow* window);

 private:
  int Contains(NUVFrmWindow* window) const;

  NUVCallbackManager* _pCallbackManager;
  std::vector<NUVFrmWindow*> _Windows;  // one reference each
  NUVFrmWindow* _pCurrentWindow;        // one of _Windows, or null
};

#endif
