#include "NUVSYPCheckReport.h"

#include <cstdio>
#include <string>

namespace {

struct CheckState {
  int failures = 0;
  std::string expression;
  std::string text;
  unsigned char echo = 1;
};

CheckState& State() {
  static CheckState* state = new CheckState;  // lives for the process
  return *state;
}

void Report(const char* kind, const char* expression, const char* text) {
  CheckState& s = State();
  ++s.failures;
  s.expression = expression ? expression : "";
  s.text = text ? text : "";
  if (s.echo) {
    std::fprintf(stderr, "%s failed: %s%s%s\n", kind, s.expression.c_str(),
                 s.text.empty() ? "" : " - ", s.text.c_str());
  }
}

}  // namespace

void Check_Pointer_Failed__(const char* pointerName) { Report("Check_Pointer", pointerName, nullptr); }

void Check_TRUE_Failed__(const char* expression, const char* text) {
  Report("Check_TRUE", expression, text);
}

int NUVSYPCheckReport::GetFailureCount() { return State().failures; }
const char* NUVSYPCheckReport::GetLastExpression() { return State().expression.c_str(); }
const char* NUVSYPCheckReport::GetLastText() { return State().text.c_str(); }
void NUVSYPCheckReport::SetEcho(unsigned char echo) { State().echo = echo; }
