// Scriptable controllers that count what the play loop asks of them; both
// count their live instances (Live()).
#ifndef FakeControllers_h
#define FakeControllers_h

#include <functional>

#include "NUVISimAgentKeyFrame.h"
#include "NUVISimAgentNegociatedTime.h"
#include "NUVISimControllerKeyFrame.h"
#include "NUVISimControllerNegociatedTime.h"
#include "NUVISimInitialization.h"

// What both fakes share: counted iterations, the agent the test gives, no
// initialization.
template <class ControllerI, class AgentI>
class FakeController : public ControllerI {
 public:
  FakeController() { ++Live(); }
  ~FakeController() override { --Live(); }
  static int& Live() {
    static int live = 0;
    return live;
  }

  long Iterate() override {
    ++iterations;
    if (onIterate) onIterate();
    return S_OK;
  }
  long GetInitialization(NUVISimInitialization_var& i) override { i = nullptr; return E_FAIL; }
  long SetControlledAgent(NUVVar<AgentI>&) override { return S_OK; }
  long GetControlledAgent(NUVVar<AgentI>& agent) override { agent = controlled; return S_OK; }
  long Stop() override { return S_OK; }
  long Rewind() override { return S_OK; }

  int iterations = 0;
  int continueQueries = 0;
  NUVVar<AgentI> controlled;  // what GetControlledAgent answers; set by the test
  std::function<void()> onIterate;
};

class FakeKeyFrameController
    : public FakeController<NUVISimControllerKeyFrame, NUVISimAgentKeyFrame> {
 public:
  long CanContinue(unsigned char& ok) override {
    ++continueQueries;
    ok = canContinue;
    return S_OK;
  }
  long GetCurrentSimValue(NUVSimValue& value) override { value = NUVSimValue(); return S_OK; }
  unsigned char canContinue = 1;
};

// Its value is its iteration count.
class FakeNegociatedTimeController
    : public FakeController<NUVISimControllerNegociatedTime, NUVISimAgentNegociatedTime> {
 public:
  long CanContinue(unsigned char& ok) override {
    ++continueQueries;
    ok = continueUntil < 0 || iterations < continueUntil ? 1 : 0;
    return S_OK;
  }
  long IsRunFinished(unsigned char& finished) override {
    finished = finishAfter > 0 && iterations % finishAfter == 0 ? 1 : 0;
    return S_OK;
  }
  long GetCurrentValueAndStatus(NUVSimValue& value, int& status) override {
    GetCurrentSimValue(value);
    status = statusAt == iterations ? statusValue : 0;
    return S_OK;
  }
  long GetCurrentSimValue(NUVSimValue& value) override {
    value = NUVSimValue(static_cast<double>(iterations));
    return S_OK;
  }
  int continueUntil = -1;  // iterations after which play is over; -1: never
  int finishAfter = 0;     // the run finishes every n iterations; 0: never
  int statusAt = -1;       // iteration count at which the status is reported
  int statusValue = 0;
};

#endif
