// NUVPathElement: a path through the product: the objects met from the top
// of a tree down to one object, top first. Reference counted; it holds a
// reference on each of its objects. A cursor walks it down from the top or
// up from the leaf.
//
//   path->InitToTopElement();
//   NUVBaseUnknown* top = path->NextChildElement();    // null for an empty path
//   path->InitToLeafElement();
//   while (NUVBaseUnknown* o = path->NextFatherElement()) Use(o);   // leaf to top
//
// Threading: user-interface thread only.
#ifndef NUVPathElement_h
#define NUVPathElement_h

#include <vector>

#include "NUVBaseUnknown_var.h"

class VPL_EXPORT NUVPathElement : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // A path of the one object, or the empty path for null.
  explicit NUVPathElement(NUVBaseUnknown* iObject = nullptr);
  // A new path of the same objects, with its own single reference and its
  // cursor at the top.
  NUVPathElement(const NUVPathElement& other);
  NUVPathElement& operator=(const NUVPathElement& other);
  ~NUVPathElement() override;

  // A copy (see the copy constructor) with one reference for the caller;
  // null when memory is exhausted.
  NUVPathElement* Clone() const;

  int GetSize() const { return static_cast<int>(_Elements.size()); }
  // The object at `position`, 1 being the top; null outside 1..GetSize().
  NUVBaseUnknown* GetElement(int position) const;

  // Cursor above the top: NextChildElement then gives the objects top
  // first, and null past the leaf.
  void InitToTopElement();
  NUVBaseUnknown* NextChildElement();
  // Cursor below the leaf: NextFatherElement then gives the objects leaf
  // first, and null past the top. Both walks share the one cursor.
  void InitToLeafElement();
  NUVBaseUnknown* NextFatherElement();

  // Non-zero when the object (compared by implementation object) is in the
  // path.
  int FindElement(NUVBaseUnknown* iObject) const;

  // Inserts iObject with iAboveLeaf of the path's objects below it: 0 adds it
  // as the new leaf, GetSize() as the new top; a larger value counts as
  // GetSize(), a negative one as 0. Null is ignored. The cursor goes back to
  // the top.
  void AddChildElement(NUVBaseUnknown* iObject, int iAboveLeaf);

 private:
  std::vector<NUVBaseUnknown_var> _Elements;  // top first
  int _Cursor;  // elements above the cursor
};

#endif
