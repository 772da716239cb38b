// NUVISO: an editor's interactive set, the objects shown in its 3D windows
// on top of the model (transient representations, manipulators). The set
// holds one reference to each object it contains; an object is in it at most
// once.
//
//   NUVISO* iso = NUVFrmEditor::GetCurrentEditor()->GetISO();
//   iso->AddElement(holder);   ...   iso->RemoveElement(holder, 0);
//
// Threading: user-interface thread only.
#ifndef NUVISO_h
#define NUVISO_h

#include <vector>

#include "NUVBaseUnknown.h"

class VPL_EXPORT NUVISO : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUVISO();
  ~NUVISO() override;
  NUVISO(const NUVISO&) = delete;
  NUVISO& operator=(const NUVISO&) = delete;

  // Adds the object and takes a reference on it. Null, or an object already
  // in the set, changes nothing.
  void AddElement(NUVBaseUnknown* element);
  // Takes the object out and gives its reference back. `redraw` is accepted
  // for the callers' sake; the headless set has nothing to redraw.
  void RemoveElement(NUVBaseUnknown* element, int redraw = 0);
  void Empty();

  int Size() const { return static_cast<int>(_Elements.size()); }
  int Contains(NUVBaseUnknown* element) const;
  // The element at 1-based `position` in the order added; null outside.
  NUVBaseUnknown* GetElement(int position) const {
    return position >= 1 && position <= Size() ? _Elements[position - 1] : nullptr;
  }
  // Every call of AddElement and RemoveElement, effective or not, so that a
  // caller's sequence of calls can be checked.
  int GetAddCount() const { return _AddCount; }
  int GetRemoveCount() const { return _RemoveCount; }

 private:
  std::vector<NUVBaseUnknown*> _Elements;
  int _AddCount;
  int _RemoveCount;
};

#endif
