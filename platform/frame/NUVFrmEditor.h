// NUVFrmEditor: a document editor of the application frame. Its windows live
// in a layout (NUVFrmLayout); the editor itself carries the interactive set
// of what is shown on top of its model. One editor is current at a time.
//
//   NUVFrmEditor* editor = NUVFrmEditor::GetCurrentEditor();   // may be null
//   if (editor && editor->GetISO()) editor->GetISO()->AddElement(holder);
//
// Closing an editor is published on the layout: subscribers add their
// callback with the layout as publisher and the event EDITOR_CLOSE_ENDED();
// the closed editor arrives as the callback's publisher argument.
//
// Threading: user-interface thread only.
#ifndef NUVFrmEditor_h
#define NUVFrmEditor_h

#include "NUVBaseUnknown.h"

class NUVISO;
class NUVFrmLayout;
class NUVPathElement;

class VPL_EXPORT NUVFrmEditor : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // A new editor has an empty interactive set of its own.
  NUVFrmEditor();
  ~NUVFrmEditor() override;
  NUVFrmEditor(const NUVFrmEditor&) = delete;
  NUVFrmEditor& operator=(const NUVFrmEditor&) = delete;

  static NUVFrmEditor* GetCurrentEditor();
  // The current editor is held with a reference until replaced; hosts and
  // tests set it back to null when they are done with it.
  static void SetCurrentEditor(NUVFrmEditor* editor);

  // The interactive set; null when a host took it away with SetISO(nullptr).
  virtual NUVISO* GetISO() { return _pISO; }
  // Replaces the interactive set (held with a reference; null allowed).
  void SetISO(NUVISO* iso);

  // The path of the editor's active object, top first (empty at first). The
  // editor owns it; callers change it in place to activate another object.
  NUVPathElement& GetActivePath() { return *_pActivePath; }

  static const char* EDITOR_CLOSE_ENDED() { return "EDITOR_CLOSE_ENDED"; }

  // Closes the editor in `layout` (null: the current layout): deletes its
  // windows from the layout (each publishing NUVFrmWindow::WINDOW_DELETED),
  // then publishes EDITOR_CLOSE_ENDED on the layout with this editor as
  // publisher argument, then stops being the current editor if it was.
  // Without a layout only the last step happens.
  void Close(NUVFrmLayout* layout = nullptr);
  int IsClosed() const { return _Closed; }

 private:
  NUVISO* _pISO;
  NUVPathElement* _pActivePath;  // one reference, never null
  unsigned char _Closed;
};

#endif
