// Test doubles for error reporting: a simulation error that counts its live
// instances, a model object with an alias, and column data that answers two
// columns: "Key" (shown, the error's message key) and "Secret" (hidden).
#ifndef CountingErrors_h
#define CountingErrors_h

#include <string>

#include "NUVEzrErrorHandlerCustomData.h"
#include "NUVIAlias.h"
#include "NUVSimulationError.h"

class CountingSimulationError : public NUVSimulationError {
 public:
  explicit CountingSimulationError(const char* key, const char* catalog = "TestCatalog")
      : NUVSimulationError(key, catalog) {
    ++Live();
  }
  ~CountingSimulationError() override { --Live(); }
  static int& Live();
};

class AliasedObject : public NUVIAlias {
  NUV_DECLARE_CLASS
 public:
  explicit AliasedObject(const char* alias) : _Alias(alias) {}
  NUVUnicodeString GetAlias() override { return NUVUnicodeString(_Alias); }

 private:
  std::string _Alias;
};

class TwoColumns : public NUVEzrErrorHandlerCustomData {
 public:
  int GetNumberOfColumns() override { return 2; }
  long GetColumnDescription(int index, NUVString& oIdentifier, NUVUnicodeString& oTitle,
                            int& oWidth, unsigned char& oShown) override {
    if (index < 1 || index > 2) return E_FAIL;
    oIdentifier = index == 1 ? "Key" : "Secret";
    oTitle = index == 1 ? "Message key" : "Secret";
    oWidth = 10;
    oShown = index == 1;
    return S_OK;
  }
  long GetColumnText(const NUVString& identifier, NUVError* error,
                     NUVUnicodeString& oText) override {
    if (!error) return E_FAIL;
    oText = identifier == NUVString("Key") ? NUVUnicodeString(error->GetMessageKey())
                                           : NUVUnicodeString("hidden text");
    return S_OK;
  }
};

#endif
