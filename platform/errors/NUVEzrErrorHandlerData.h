// NUVEzrErrorHandlerData: how an error dialog is to be built: the kind of
// entries it lists, its title, and the application's extra columns.
//
//   NUVEzrErrorHandlerData data("Error", title);
//   data.SetCustomData(columns);
//   NUVEzrErrorHandler* dialog = new NUVEzrErrorHandler(data);
//
// A value; copies share the custom data, each holding a reference on it.
// Threading: user-interface thread only.
#ifndef NUVEzrErrorHandlerData_h
#define NUVEzrErrorHandlerData_h

#include "NUVUnicodeString.h"
#include "VelloranPlatformExport.h"

class NUVEzrErrorHandlerCustomData;

class VPL_EXPORT NUVEzrErrorHandlerData {
 public:
  // `kind` names what the dialog lists ("Error").
  NUVEzrErrorHandlerData(const NUVUnicodeString& kind, const NUVUnicodeString& title);
  NUVEzrErrorHandlerData(const NUVEzrErrorHandlerData& other);
  NUVEzrErrorHandlerData& operator=(const NUVEzrErrorHandlerData& other);
  ~NUVEzrErrorHandlerData();

  const NUVUnicodeString& GetKind() const { return _Kind; }
  const NUVUnicodeString& GetTitle() const { return _Title; }

  // Holds a reference on the custom data (null: none).
  void SetCustomData(NUVEzrErrorHandlerCustomData* customData);
  NUVEzrErrorHandlerCustomData* GetCustomData() const { return _pCustomData; }

 private:
  NUVUnicodeString _Kind;
  NUVUnicodeString _Title;
  NUVEzrErrorHandlerCustomData* _pCustomData;
};

#endif
