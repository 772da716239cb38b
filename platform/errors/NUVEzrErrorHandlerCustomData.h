// NUVEzrErrorHandlerCustomData: what an application adds to the error
// dialog: extra columns after the dialog's own ones (type and message), and
// the text of each row's message.
//
//   class MyColumns : public NUVEzrErrorHandlerCustomData { ... };
//   data.SetCustomData(columns);   // NUVEzrErrorHandlerData
//
// The base class adds no column and shows each error's own message text.
// Columns are numbered from 1. Reference counted.
// Threading: user-interface thread only.
#ifndef NUVEzrErrorHandlerCustomData_h
#define NUVEzrErrorHandlerCustomData_h

#include "NUVBaseUnknown.h"
#include "NUVString.h"
#include "NUVUnicodeString.h"

class NUVError;

class VPL_EXPORT NUVEzrErrorHandlerCustomData : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUVEzrErrorHandlerCustomData();
  ~NUVEzrErrorHandlerCustomData() override;

  // How many extra columns the dialog shows.
  virtual int GetNumberOfColumns();
  // Column `index`: its identifier, title, width in characters, and whether
  // the dialog shows it (zero: the column exists but is hidden). S_OK, or
  // E_FAIL with the outputs untouched for an index without column.
  virtual long GetColumnDescription(int index, NUVString& oIdentifier, NUVUnicodeString& oTitle,
                                    int& oWidth, unsigned char& oShown);
  // The text of the column `identifier` in the row of `error`. E_FAIL when
  // there is nothing to show (the dialog then shows an empty cell).
  virtual long GetColumnText(const NUVString& identifier, NUVError* error,
                             NUVUnicodeString& oText);
  // The message of the row of `error`: the error's message text. E_FAIL,
  // oText untouched, for a null error.
  virtual long GetText(NUVError* error, NUVUnicodeString& oText);
};

#endif
