// NUVSimErrorDataCustom: the extra column of the simulation error dialog,
// "LinkToModel", which shows the alias of the model object each error
// concerns.
//
//   NUVSimErrorDataCustom* columns = new NUVSimErrorDataCustom;
//   data.SetCustomData(columns); columns->Release();
//
// Reference counted. Threading: user-interface thread only.
#ifndef NUVSimErrorDataCustom_h
#define NUVSimErrorDataCustom_h

#include "NUVEzrErrorHandlerCustomData.h"
#include "VelloranExport.h"

class VELLORAN_EXPORT NUVSimErrorDataCustom : public NUVEzrErrorHandlerCustomData {
  NUV_DECLARE_CLASS
 public:
  NUVSimErrorDataCustom();
  ~NUVSimErrorDataCustom() override;

  // One column.
  int GetNumberOfColumns() override;
  // Column 1: "LinkToModel", titled by the catalog "NUVSimErrorPanel", width
  // 50, shown. Any other index: E_FAIL, outputs untouched.
  long GetColumnDescription(int index, NUVString& oIdentifier, NUVUnicodeString& oTitle,
                            int& oWidth, unsigned char& oShown) override;
  // "LinkToModel" of an error: S_OK, and oText := the alias of the error's
  // model object when it is a simulation error whose model object offers
  // NUVIAlias (otherwise oText is left as it was). A null error or another
  // identifier: E_FAIL.
  long GetColumnText(const NUVString& identifier, NUVError* error,
                     NUVUnicodeString& oText) override;
};

#endif
