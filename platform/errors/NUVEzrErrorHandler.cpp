#include "NUVEzrErrorHandler.h"

#include <string>

#include "NUVError.h"
#include "NUVEzrErrorHandlerCustomData.h"

NUV_IMPLEMENT_CLASS(NUVEzrErrorHandler, NUVBaseUnknown, "VelloranPlatform")

namespace {

int g_OpenDialogs = 0;

const char* TypeName(NUVErrorType type) {
  switch (type) {
    case NUVErrorTypeInformation: return "Information";
    case NUVErrorTypeWarning: return "Warning";
    case NUVErrorTypeError: return "Error";
    case NUVErrorTypeFatal: return "Fatal";
  }
  return nullptr;
}

// Appends `text` with every line after the first indented by `indent`.
void AppendIndented(std::string& out, const std::string& text, const std::string& indent) {
  for (char c : text) {
    out += c;
    if (c == '\n') out += indent;
  }
}

}  // namespace

NUVEzrErrorHandler::NUVEzrErrorHandler(const NUVEzrErrorHandlerData& data)
    : _Kind(data.GetKind()), _Title(data.GetTitle()), _pCustomData(nullptr), _Minimized(0) {
  SetCustomData(data.GetCustomData());
  ++g_OpenDialogs;
}

NUVEzrErrorHandler::~NUVEzrErrorHandler() {
  Flush();
  SetCustomData(nullptr);
  --g_OpenDialogs;
}

int NUVEzrErrorHandler::GetNumberOfOpenDialogs() { return g_OpenDialogs; }

long NUVEzrErrorHandler::ReportError(NUVError* error, int raise) {
  if (!error) return E_INVALIDARG;
  error->AddRef();
  _Reported.push_back(error);
  if (raise) RestoreDialog();
  return S_OK;
}

long NUVEzrErrorHandler::GetReportedErrors(NUVListPtrNUVError& oErrors) const {
  for (NUVError* error : _Reported) {
    error->AddRef();
    oErrors.Append(error);
  }
  return S_OK;
}

long NUVEzrErrorHandler::Flush() {
  // An error's destruction must not find a half-emptied dialog.
  std::vector<NUVError*> rows;
  rows.swap(_Reported);
  for (NUVError* error : rows) error->Release();
  return S_OK;
}

long NUVEzrErrorHandler::MinimizeDialog() {
  _Minimized = 1;
  return S_OK;
}

long NUVEzrErrorHandler::RestoreDialog() {
  _Minimized = 0;
  return S_OK;
}

void NUVEzrErrorHandler::SetCustomData(NUVEzrErrorHandlerCustomData* customData) {
  if (customData) customData->AddRef();
  NUVEzrErrorHandlerCustomData* old = _pCustomData;
  _pCustomData = customData;
  if (old) old->Release();
}

void NUVEzrErrorHandler::RenderDialog(NUVUnicodeString& oText) const {
  std::string out = _Title.Std();
  out += " [" + std::to_string(_Reported.size()) + " reported, ";
  out += _Minimized ? "minimized]\n" : "shown]\n";
  if (_Reported.empty()) out += "    (no errors)\n";

  // The extra columns that are shown, described once for every row.
  struct Column {
    NUVString identifier;
    NUVUnicodeString title;
  };
  std::vector<Column> columns;
  if (_pCustomData) {
    int count = _pCustomData->GetNumberOfColumns();
    for (int i = 1; i <= count; ++i) {
      Column column;
      int width = 0;
      unsigned char shown = 0;
      if (_pCustomData->GetColumnDescription(i, column.identifier, column.title, width, shown) ==
              S_OK &&
          shown) {
        columns.push_back(column);
      }
    }
  }

  const std::string indent = "       ";
  for (std::size_t row = 0; row < _Reported.size(); ++row) {
    NUVError* error = _Reported[row];
    std::string number = std::to_string(row + 1);
    out += std::string(number.size() < 3 ? 3 - number.size() : 0, ' ') + number + ". ";
    const char* type = TypeName(error->GetInformationOnErrorType());
    out += type ? std::string(type)
                : "Type " + std::to_string(static_cast<int>(error->GetInformationOnErrorType()));
    out += ": ";
    NUVUnicodeString message;
    if (!_pCustomData || _pCustomData->GetText(error, message) != S_OK) {
      message = error->GetMessageText();
    }
    AppendIndented(out, message.Std(), indent);
    out += '\n';
    for (Column& column : columns) {
      NUVUnicodeString cell;
      if (_pCustomData->GetColumnText(column.identifier, error, cell) != S_OK) {
        cell = NUVUnicodeString();
      }
      const std::string& title =
          column.title.IsEmpty() ? column.identifier.Std() : column.title.Std();
      out += indent + title + ": ";
      AppendIndented(out, cell.IsEmpty() ? std::string("-") : cell.Std(), indent);
      out += '\n';
    }
  }
  oText = NUVUnicodeString(out);
}
