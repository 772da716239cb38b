// NUVEzrErrorHandler: the application's error dialog. It lists the errors
// reported to it, one row each, with the type, the message and the extra
// columns of its custom data. The dialog is open while the handler lives and
// can be minimized and restored; releasing the last reference closes it.
//
//   NUVEzrErrorHandler* dialog = new NUVEzrErrorHandler(data);
//   dialog->ReportError(error, 0); dialog->RenderDialog(text); dialog->Release();
//
// Headless: the platform draws no window; RenderDialog gives what the dialog
// shows as text, which a host prints (for instance when play ends).
//
// Threading: user-interface thread only.
#ifndef NUVEzrErrorHandler_h
#define NUVEzrErrorHandler_h

#include <vector>

#include "NUVBaseUnknown.h"
#include "NUVEzrErrorHandlerData.h"
#include "NUVListPtrNUVError.h"
#include "NUVUnicodeString.h"

class NUVError;
class NUVEzrErrorHandlerCustomData;

class VPL_EXPORT NUVEzrErrorHandler : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Opens a dialog, shown (not minimized) and empty, with the kind, title
  // and custom data of `data` (a reference on the custom data).
  explicit NUVEzrErrorHandler(const NUVEzrErrorHandlerData& data);
  // Closes the dialog: gives back the references on the errors and the
  // custom data.
  ~NUVEzrErrorHandler() override;
  NUVEzrErrorHandler(const NUVEzrErrorHandler&) = delete;
  NUVEzrErrorHandler& operator=(const NUVEzrErrorHandler&) = delete;

  // Adds a row for `error` after the others and holds a reference on it.
  // `raise` non-zero brings a minimized dialog back; zero leaves the dialog
  // as it is. E_INVALIDARG for a null error.
  virtual long ReportError(NUVError* error, int raise);
  // Appends the reported errors to oErrors in row order, each with a
  // reference for the caller.
  virtual long GetReportedErrors(NUVListPtrNUVError& oErrors) const;
  int GetNumberOfReportedErrors() const { return static_cast<int>(_Reported.size()); }
  // Empties the dialog: every row goes and its reference with it.
  virtual long Flush();

  virtual long MinimizeDialog();
  virtual long RestoreDialog();
  virtual unsigned char IsDialogMinimized() const { return _Minimized; }

  // Replaces the extra columns (null: none); holds a reference.
  virtual void SetCustomData(NUVEzrErrorHandlerCustomData* customData);
  NUVEzrErrorHandlerCustomData* GetCustomData() const { return _pCustomData; }
  const NUVUnicodeString& GetTitle() const { return _Title; }
  const NUVUnicodeString& GetKind() const { return _Kind; }

  // What the dialog shows, as lines of text:
  //   <title> [<n> reported, shown|minimized]
  //    1. <type>: <message, first line>
  //       <message, further lines>
  //       <extra column title>: <its text, "-" when empty>
  // one block per row in row order ("    (no errors)" when empty). Hidden
  // extra columns are left out. Ends with a newline.
  void RenderDialog(NUVUnicodeString& oText) const;

  // Dialogs open in the process: handlers alive.
  static int GetNumberOfOpenDialogs();

 private:
  NUVUnicodeString _Kind;
  NUVUnicodeString _Title;
  NUVEzrErrorHandlerCustomData* _pCustomData;
  std::vector<NUVError*> _Reported;  // one reference each
  unsigned char _Minimized;
};

#endif
