// NUVListPtrNUVFrmEditor: a list of plain editor pointers, 1-based; it does
// not reference-count its editors.
//
//   NUVListPtrNUVFrmEditor editors;
//   editors.Append(NUVFrmEditor::GetCurrentEditor());
//
// Threading: user-interface thread only.
#ifndef NUVListPtrNUVFrmEditor_h
#define NUVListPtrNUVFrmEditor_h

#include "NUVListPtr.h"

class NUVFrmEditor;
typedef NUVListPtr<NUVFrmEditor> NUVListPtrNUVFrmEditor;

#endif
