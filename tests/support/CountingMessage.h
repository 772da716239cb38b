// A message that records its executions in a shared log and counts its
// instances, so tests can check orders, flush arguments and references.
#ifndef CountingMessage_h
#define CountingMessage_h

#include <string>
#include <vector>

#include "NUVSimMessage.h"

class CountingMessage : public NUVSimMessage {
 public:
  struct Run {
    std::string name;
    unsigned char flush;
  };
  static std::vector<Run>& Log() { static std::vector<Run> log; return log; }
  static int& Live() { static int live = 0; return live; }
  explicit CountingMessage(std::string name) : _Name(std::move(name)) { ++Live(); }
  ~CountingMessage() override { --Live(); }

  // Logs, runs onExecute, goes idle, then reposts itself while repostsLeft.
  void Execute(unsigned char flush) override {
    ++executions;
    Log().push_back({_Name, flush});
    if (onExecute) onExecute(this);
    NUVSimMessage::Execute(flush);
    if (repostsLeft > 0 && !flush) {
      --repostsLeft;
      Post();
    }
  }

  int repostsLeft = 0;
  void (*onExecute)(CountingMessage*) = nullptr;
  int executions = 0;

 private:
  std::string _Name;
};

#endif
