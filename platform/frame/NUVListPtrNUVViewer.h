// NUVListPtrNUVViewer: a list of plain viewer pointers, 1-based; it does not
// reference-count its viewers.
//
//   NUVListPtrNUVViewer viewers;
//   viewers.Append(window->GetViewer());
//
// Threading: user-interface thread only.
#ifndef NUVListPtrNUVViewer_h
#define NUVListPtrNUVViewer_h

#include "NUVListPtr.h"

class NUVViewer;
typedef NUVListPtr<NUVViewer> NUVListPtrNUVViewer;

#endif
