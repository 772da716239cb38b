// HeadlessFrame: velloran-play's application frame: one editor, one layout,
// two headless 3D windows (the second one current), made the current editor
// and layout while the object lives.
//
//   HeadlessFrame frame;                  // built, current
//   int drawn = frame.FramesDrawn();
//
// Threading: user-interface thread.
#ifndef HeadlessFrame_h
#define HeadlessFrame_h

class NUVFrmEditor;
class NUVFrmLayout;
class NUVViewer;

class HeadlessFrame {
 public:
  HeadlessFrame();
  ~HeadlessFrame();
  HeadlessFrame(const HeadlessFrame&) = delete;
  HeadlessFrame& operator=(const HeadlessFrame&) = delete;

  // Frames the first window has drawn so far.
  int FramesDrawn() const;
  NUVFrmEditor* Editor() const { return _pEditor; }
  NUVViewer* FirstViewer() const { return _pViewers[0]; }
  // Redraws both windows, as the application does after the user changed
  // the model.
  void RedrawAll();

 private:
  NUVFrmEditor* _pEditor;
  NUVFrmLayout* _pLayout;
  NUVViewer* _pViewers[2];
};

#endif
