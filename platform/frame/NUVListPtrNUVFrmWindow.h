// NUVListPtrNUVFrmWindow: a list of plain window pointers, 1-based; it does
// not reference-count its windows.
//
//   NUVListPtrNUVFrmWindow windows = layout->GetWindowList(0, 0);
//   NUVFrmWindow* first = windows[1];
//
// Threading: user-interface thread only.
#ifndef NUVListPtrNUVFrmWindow_h
#define NUVListPtrNUVFrmWindow_h

#include "NUVListPtr.h"

class NUVFrmWindow;
typedef NUVListPtr<NUVFrmWindow> NUVListPtrNUVFrmWindow;

#endif
