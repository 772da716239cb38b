#include "NUVSimErrorDataCustom.h"

#include "NUVIAlias.h"
#include "NUVMsgCatalog.h"
#include "NUVSimulationError.h"
#include "VelloranModule.h"

NUV_IMPLEMENT_CLASS(NUVSimErrorDataCustom, NUVBaseUnknown, VELLORAN_LIBRARY_NAME)

namespace {
const char* const kLinkToModel = "LinkToModel";
}  // namespace

NUVSimErrorDataCustom::NUVSimErrorDataCustom() = default;
NUVSimErrorDataCustom::~NUVSimErrorDataCustom() = default;

int NUVSimErrorDataCustom::GetNumberOfColumns() { return 1; }

long NUVSimErrorDataCustom::GetColumnDescription(int index, NUVString& oIdentifier,
                                                 NUVUnicodeString& oTitle, int& oWidth,
                                                 unsigned char& oShown) {
  if (index != 1) return E_FAIL;
  oIdentifier = NUVString(kLinkToModel);
  NUVMsgCatalog::BuildMessage("NUVSimErrorPanel", kLinkToModel, oTitle, 0, nullptr, "");
  oWidth = 50;
  oShown = 1;
  return S_OK;
}

long NUVSimErrorDataCustom::GetColumnText(const NUVString& identifier, NUVError* error,
                                          NUVUnicodeString& oText) {
  if (!error || identifier != NUVString(kLinkToModel)) return E_FAIL;
  auto* simulationError = dynamic_cast<NUVSimulationError*>(error);
  if (simulationError) {
    NUVBaseUnknown_var model = simulationError->GetModelObject();
    NUVIAlias_var alias(model.get());
    if (alias) oText = alias->GetAlias();
  }
  return S_OK;
}
