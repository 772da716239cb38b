// NUVSimWindowServices: static services over the application's windows and
// viewers during simulation.
//
// It keeps, per editor, registries of extra viewers that are not windows of
// the layout (3D viewer controls and plain viewers); lists the 3D windows of
// a layout and editor; holds the global draw lock; shows and hides named
// transient representations in the current editor's interactive set; starts
// and stops viewpoint animation; and redraws every 3D window and registered
// viewer of the current editor.
//
//   NUVListPtrNUVFrmWindow windows = NUVSimWindowServices::GetWindowList(nullptr, nullptr);
//   NUVSimWindowServices::DrawWindows();
//
// A null editor argument stands for NUVFrmEditor::GetCurrentEditor(), a null
// layout for NUVFrmLayout::GetCurrentLayout(). The registries hold plain
// pointers: callers unregister what they registered before destroying it.
// GetViewerList and GetWindowList return shared lists that the next call of
// the same kind refills: copy them before calling anything that may refill
// them. The draw lock is one boolean, not a counter: one LockDrawRequest(0)
// undoes any number of LockDrawRequest(1).
//
// RemoveTransientRep when the current editor has no interactive set: the
// name is unregistered and its holder released all the same, so no holder
// stays registered without the reference the dictionary owns.
//
// Threading: user-interface thread only; not reentrant (shared result lists).
#ifndef NUVSimWindowServices_h
#define NUVSimWindowServices_h

#include "NUVBaseUnknown.h"
#include "NUVListPtrNUVFrmWindow.h"
#include "NUVRawCollPV.h"
#include "NUVUnicodeString.h"
#include "VelloranExport.h"

class NUV3DBagRep;
class NUVFrmEditor;
class NUVFrmLayout;
class NUVFrmWindow;
class NUVVidCtl3DViewer;
class NUVViewer;

class VELLORAN_EXPORT NUVSimWindowServices : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUVSimWindowServices();
  NUVSimWindowServices(const NUVSimWindowServices&);
  NUVSimWindowServices& operator=(const NUVSimWindowServices&);
  ~NUVSimWindowServices() override;

  // Registers the pair (editor, control). E_FAIL when it is registered
  // already; the same control for two editors makes two entries.
  static long AddViewer(NUVVidCtl3DViewer* control, NUVFrmEditor* editor);
  // Unregisters the first matching pair; E_FAIL when there is none.
  static long RemoveViewer(NUVVidCtl3DViewer* control, NUVFrmEditor* editor);
  static long AddViewer(NUVViewer* viewer, NUVFrmEditor* editor);
  static long RemoveViewer(NUVViewer* viewer, NUVFrmEditor* editor);
  // The controls (controls true) or plain viewers (false) registered for the
  // editor, in registration order. Shared list.
  static NUVRawCollPV& GetViewerList(unsigned char controls, NUVFrmEditor* editor);

  // S_OK when the window shows a 3D viewer (a kind of NUV3DViewer), else E_FAIL.
  static long IsA3DWindow(NUVFrmWindow* window);
  // The 3D windows of the layout that belong to the editor, in layout
  // order; empty when either resolves to null. Shared list.
  static NUVListPtrNUVFrmWindow& GetWindowList(NUVFrmLayout* layout, NUVFrmEditor* editor);

  // Passes the value to the visualization scheduler and to the viewer of
  // every window of the current layout. The lock reads true exactly when
  // the value is 1; with no current layout, or a layout without windows,
  // it keeps its former value.
  static long LockDrawRequest(int lock);
  static long IsDrawLocked(unsigned char& locked);

  // Shows `rep` under `name` in the current editor's interactive set,
  // replacing what was shown under that name. A null rep changes nothing.
  static long AddTransientRep(NUVUnicodeString& name, NUV3DBagRep* rep);
  // Stops showing the representation of that name and forgets the name.
  // Unknown name: S_OK. No current editor: S_OK, and the name stays.
  static long RemoveTransientRep(NUVUnicodeString& name);

  // Start (stop) the main viewpoint animation of the current editor's 3D
  // windows: each viewpoint not animating (animating), or every one when
  // `force` is true. S_OK when at least one was started (stopped), else
  // E_FAIL. Drawing is locked meanwhile; a lock the caller held stays.
  static long StartAnimation(unsigned char force);
  static long StopAnimation(unsigned char force);

  // Draws the viewers of the current editor's 3D windows, then its
  // registered controls and plain viewers. With no 3D window nothing at all
  // is drawn. S_OK.
  static long DrawWindows();

 private:
  static unsigned char _drawLocked;
};

#endif
