#include "CountingErrors.h"

NUV_IMPLEMENT_CLASS(AliasedObject, NUVIAlias, "Tests")

int& CountingSimulationError::Live() {
  static int live = 0;
  return live;
}

long TwoColumns::GetColumnDescription(int index, NUVString& oIdentifier, NUVUnicodeString& oTitle,
                                      int& oWidth, unsigned char& oShown) {
  if (index < 1 || index > 2) return E_FAIL;
  oIdentifier = index == 1 ? "Key" : "Secret";
  oTitle = index == 1 ? "Message key" : "Secret";
  oWidth = 10;
  oShown = index == 1;
  return S_OK;
}

long TwoColumns::GetColumnText(const NUVString& identifier, NUVError* error,
                               NUVUnicodeString& oText) {
  if (!error) return E_FAIL;
  if (identifier == NUVString("Key")) {
    oText = NUVUnicodeString(error->GetMessageKey());
    return S_OK;
  }
  oText = "hidden text";
  return S_OK;
}
