// A message that records its executions and counts its instances, so tests
// can check orders, flush arguments and that references come back.
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
  // Shared log of every execution, in order.
  static std::vector<Run>& Log();
  static int& Live();

  explicit CountingMessage(std::string name) : _Name(std::move(name)) { ++Live(); }
  ~CountingMessage() override { --Live(); }

  void Execute(unsigned char flush) override;

  // Posts itself again from Execute this many more times.
  int repostsLeft = 0;
  // Runs from Execute, after logging, before the base Execute.
  void (*onExecute)(CountingMessage*) = nullptr;
  int executions = 0;

 private:
  std::string _Name;
};

#endif
