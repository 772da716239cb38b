// Test doubles for error reporting: a simulation error that counts its live
// instances, a model object with an alias, and column data that records
// nothing but answers two columns (one hidden).
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

// Columns "Key" (shown, the error's message key) and "Secret" (hidden).
class TwoColumns : public NUVEzrErrorHandlerCustomData {
 public:
  int GetNumberOfColumns() override { return 2; }
  long GetColumnDescription(int index, NUVString& oIdentifier, NUVUnicodeString& oTitle,
                            int& oWidth, unsigned char& oShown) override;
  long GetColumnText(const NUVString& identifier, NUVError* error,
                     NUVUnicodeString& oText) override;
};

#endif
