// Scriptable controllers that count what the play loop asks of them.
#ifndef FakeControllers_h
#define FakeControllers_h

#include <functional>

#include "NUVISimAgentKeyFrame.h"
#include "NUVISimAgentNegociatedTime.h"
#include "NUVISimControllerKeyFrame.h"
#include "NUVISimControllerNegociatedTime.h"
#include "NUVISimInitialization.h"
#include "NUVSimValue.h"

class FakeKeyFrameController : public NUVISimControllerKeyFrame {
 public:
  FakeKeyFrameController() { ++Live(); }
  ~FakeKeyFrameController() override { --Live(); }
  static int& Live();

  long Iterate() override {
    ++iterations;
    if (onIterate) onIterate();
    return S_OK;
  }
  long CanContinue(unsigned char& ok) override {
    ++continueQueries;
    ok = canContinue;
    return S_OK;
  }
  long GetInitialization(NUVISimInitialization_var& init) override {
    init = nullptr;
    return E_FAIL;
  }
  long SetControlledAgent(NUVISimAgentKeyFrame_var&) override { return S_OK; }
  long GetControlledAgent(NUVISimAgentKeyFrame_var& agent) override {
    agent = nullptr;
    return S_OK;
  }
  long GetCurrentSimValue(NUVSimValue& value) override {
    value = NUVSimValue();
    return S_OK;
  }
  long Stop() override { return S_OK; }
  long Rewind() override { return S_OK; }

  int iterations = 0;
  int continueQueries = 0;
  unsigned char canContinue = 1;
  std::function<void()> onIterate;
};

class FakeNegociatedTimeController : public NUVISimControllerNegociatedTime {
 public:
  FakeNegociatedTimeController() { ++Live(); }
  ~FakeNegociatedTimeController() override { --Live(); }
  static int& Live();

  long Iterate() override {
    ++iterations;
    if (onIterate) onIterate();
    return S_OK;
  }
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
    value = NUVSimValue(static_cast<double>(iterations));
    status = statusAt == iterations ? statusValue : 0;
    return S_OK;
  }
  long GetInitialization(NUVISimInitialization_var& init) override {
    init = nullptr;
    return E_FAIL;
  }
  long SetControlledAgent(NUVISimAgentNegociatedTime_var&) override { return S_OK; }
  long GetControlledAgent(NUVISimAgentNegociatedTime_var& agent) override {
    agent = nullptr;
    return S_OK;
  }
  long GetCurrentSimValue(NUVSimValue& value) override {
    value = NUVSimValue(static_cast<double>(iterations));
    return S_OK;
  }
  long Stop() override { return S_OK; }
  long Rewind() override { return S_OK; }

  int iterations = 0;
  int continueQueries = 0;
  int continueUntil = -1;  // iterations after which play is over; -1: never
  int finishAfter = 0;     // the run finishes every n iterations; 0: never
  int statusAt = -1;       // iteration count at which the status is reported
  int statusValue = 0;
  std::function<void()> onIterate;
};

#endif
