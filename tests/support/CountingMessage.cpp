#include "CountingMessage.h"

std::vector<CountingMessage::Run>& CountingMessage::Log() {
  static std::vector<Run> log;
  return log;
}

int& CountingMessage::Live() {
  static int live = 0;
  return live;
}

void CountingMessage::Execute(unsigned char flush) {
  ++executions;
  Log().push_back({_Name, flush});
  if (onExecute) onExecute(this);
  NUVSimMessage::Execute(flush);
  if (repostsLeft > 0 && !flush) {
    --repostsLeft;
    Post();
  }
}
