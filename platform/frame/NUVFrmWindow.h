// NUVFrmWindow: a window of the application frame. It belongs to one editor
// and shows one viewer, or none (a panel, a tree). Windows live in a layout
// (NUVFrmLayout), which publishes their activation and deletion.
//
//   NUVFrmWindow* window = new NUVFrmWindow(editor, viewer);
//   layout->AddWindow(window); window->Release();
//
// Threading: user-interface thread only.
#ifndef NUVFrmWindow_h
#define NUVFrmWindow_h

#include "NUVBaseUnknown.h"

class NUVFrmEditor;
class NUVViewer;

class VPL_EXPORT NUVFrmWindow : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Holds a reference on the editor and on the viewer (either may be null).
  NUVFrmWindow(NUVFrmEditor* editor, NUVViewer* viewer);
  ~NUVFrmWindow() override;
  NUVFrmWindow(const NUVFrmWindow&) = delete;
  NUVFrmWindow& operator=(const NUVFrmWindow&) = delete;

  virtual NUVViewer* GetViewer() const { return _pViewer; }
  virtual NUVFrmEditor* GetEditor() const { return _pEditor; }

  // Published by the layout, with the window as publisher argument.
  static const char* WINDOW_ACTIVATED() { return "WINDOW_ACTIVATED"; }
  static const char* WINDOW_DELETED() { return "WINDOW_DELETED"; }

 private:
  NUVFrmEditor* _pEditor;
  NUVViewer* _pViewer;
};

#endif
