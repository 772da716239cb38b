// FrameTestScene: a layout with editors, windows and viewers for tests, made
// current for the life of the scene. The destructor puts back the current
// editor and layout found at construction, turns automatic swaps back to
// their former setting and releases everything the scene created, so each
// test starts from the same global state.
//
//   FrameTestScene scene;                         // layout + current editor
//   NUVFrmWindow* w = scene.Add3DWindow();        // owned by the layout
#ifndef FrameTestScene_h
#define FrameTestScene_h

#include <string>
#include <vector>

#include "NUVBaseUnknown.h"

class NUVFrmEditor;
class NUVFrmLayout;
class NUVFrmWindow;
class NUVNotification;
class NUVViewer;

class FrameTestScene {
 public:
  FrameTestScene();
  ~FrameTestScene();
  FrameTestScene(const FrameTestScene&) = delete;
  FrameTestScene& operator=(const FrameTestScene&) = delete;

  NUVFrmLayout* Layout() const { return _pLayout; }
  // The editor made current at construction.
  NUVFrmEditor* Editor() const { return _Editors.front(); }
  // Another editor, owned by the scene, not made current.
  NUVFrmEditor* AddEditor();

  // Windows are added to the layout, which holds the only reference the
  // scene gives them. Null editor: Editor().
  NUVFrmWindow* Add3DWindow(NUVFrmEditor* editor = nullptr);
  NUVFrmWindow* Add2DWindow(NUVFrmEditor* editor = nullptr);
  NUVFrmWindow* AddWindowWithoutViewer(NUVFrmEditor* editor = nullptr);
  // A window around the caller's viewer (the caller keeps its reference).
  NUVFrmWindow* AddWindow(NUVFrmEditor* editor, NUVViewer* viewer);

 private:
  NUVFrmLayout* _pLayout;
  std::vector<NUVFrmEditor*> _Editors;
  NUVFrmEditor* _pFormerEditor;
  NUVFrmLayout* _pFormerLayout;
  unsigned char _FormerAutomaticSwaps;
};

// A subscriber that records every callback it receives.
class FrameEventRecorder : public NUVBaseUnknown {
 public:
  struct Call {
    std::string event;
    void *publisher, *clientData;
    int id;
  };

  void OnEvent(const char* event, void* publisher, NUVNotification*, void* clientData, int id);
  const std::vector<Call>& Calls() const { return _Calls; }
  int Count(const char* event) const;
  // Called at the end of each recorded callback, when set.
  void (*_pThen)(FrameEventRecorder* recorder, void* publisher) = nullptr;
  void* _pContext = nullptr;

 private:
  std::vector<Call> _Calls;
};

#endif
