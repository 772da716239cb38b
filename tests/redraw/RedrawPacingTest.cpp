// The redraw agent's decisions, step by step, with the settings set through
// NUVSimExecutionOptionsSettings and real time on a controlled clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeControllers.h"
#include "FrameTestScene.h"
#include "NUVISimErrorManager.h"
#include "NUVOsTestHooks.h"
#include "NUVSimAgentRedraw3D.h"
#include "NUVSimDrawOrContinueMessage.h"
#include "NUVSimExecutionOptionsSettings.h"
#include "NUVSimMessageQueue.h"
#include "NUVSimulationError.h"
#include "PLMGetSimErrorManager.h"

namespace {

typedef NUVSimExecutionOptionsSettings Settings;
typedef NUVSimAgentRedraw3D Agent;
const long long kSecond = 1000000000;  // counts of the fake performance counter

class RedrawPacing : public ::testing::Test {
 protected:
  void SetUp() override {
    NUVSimMessageQueue::DeleteMessageQueueInstance();
    NUVOsResetEmulation();
    NUVOsSetFakePerformanceCounter(1, 1000 * kSecond);
    Settings::ResetToDefaults();
    Settings::SetSynchronousRefresh(0);
    Settings::SetUpdateTime(1000.0f);  // timed refresh out of the way unless a test sets it
  }
  void TearDown() override {
    for (Agent* a : agents) EXPECT_EQ(a->Release(), 0u);
    NUVSimMessageQueue::DeleteMessageQueueInstance();  // with the messages still queued
    for (NUVBaseUnknown* c : controllers) EXPECT_EQ(c->Release(), 0u) << "everything let it go";
    Settings::ResetToDefaults();
    NUVOsResetEmulation();
  }

  // An agent with graphics and its messages, attached to a key-frame or a
  // negotiated-time controller.
  Agent* MakeAgent(bool negociatedTime, bool graphics = true) {
    auto* agent = new Agent;
    agents.push_back(agent);
    agent->SetWithGraphics(graphics ? 1 : 0);
    if (negociatedTime) {
      Attach<FakeNegociatedTimeController, NUVISimControllerNegociatedTime_var>(agent);
    } else {
      Attach<FakeKeyFrameController, NUVISimControllerKeyFrame_var>(agent);
    }
    agent->Init();
    agent->Activate();
    return agent;
  }
  template <class Controller, class Handle>
  void Attach(Agent* agent) {
    controllers.push_back(new Controller);
    Handle handle(static_cast<Controller*>(controllers.back()));
    agent->SetSimulationController(handle, 1);
  }
  static NUVSimValue Proposal(Agent* agent) {
    NUVSimValue proposed;
    agent->GetNextProposedValue(proposed);
    return proposed;
  }
  static NUVSimValue ProposalAfter(Agent* agent, double value) {
    agent->SetCurrentSimValue(NUVSimValue(value));
    return Proposal(agent);
  }
  // "drawable drawing observable" as three digits.
  static std::string Flags(Agent* agent) {
    unsigned char drawable = 9, drawing = 9, observable = 9;
    agent->IsFrameDrawable(drawable);
    agent->IsFrameDrawing(drawing);
    agent->IsFrameObservable(observable);
    return std::to_string(drawable) + std::to_string(drawing) + std::to_string(observable);
  }
  // What a getter of the agent answers.
  template <class T>
  static T Get(Agent* agent, long (Agent::*get)(T&)) {
    T value{};
    (agent->*get)(value);
    return value;
  }
  static NUVSimValue Interval(Agent* agent, unsigned char withSpeedFactor) {
    NUVSimValue interval;
    agent->GetInternalInterval(interval, withSpeedFactor);
    return interval;
  }
  static void Seconds(double s) {
    NUVOsAdvancePerformanceCounter(static_cast<long long>(s * kSecond));
  }

  std::vector<Agent*> agents;
  std::vector<NUVBaseUnknown*> controllers;
};

const double kProposal = -2.0;  // a step whose value is the agent's proposal
struct PacingStep {
  double seconds, value;
  int state;
};
struct PacingCase {
  const char* what;
  std::string settings;
  std::vector<PacingStep> steps;
};

std::vector<std::string>& Reads() {
  static std::vector<std::string> reads;
  return reads;
}
void Record(const char* setting) { Reads().push_back(setting); }  // the settings' read observer
typedef std::vector<std::string> Names;

}  // namespace

// The frame state decided at each step by a fresh agent. Settings words:
// "nt" a negotiated-time agent (else key-frame), "syncN" synchronous refresh
// every N steps, "timed" a refresh time of 0.5 s, "noupdates" graphics updates
// off, "master" the master clock, "realtime" real-time play, "nographics" an
// agent without graphics, "reinit" ReInitData before the first step. A step
// lets real time pass, then (negotiated time: after asking for a proposal)
// sets its value, kProposal standing for the proposal, and commits.
TEST_F(RedrawPacing, FrameStatesStepByStep) {
  const int P = Agent::FramePending, O = Agent::FrameObserve, N = Agent::FrameNone,
            D = Agent::FrameDrawSynchronous, F = Agent::FrameDrawForced;
  const std::vector<PacingCase> cases = {
      {"a new agent draws every third step", "sync3",
       {{0, .1, P}, {0, .2, P}, {0, .3, D}, {0, .4, P}, {0, .5, P}, {0, .6, D}}},
      {"after ReInitData the first step is drawn", "sync3 reinit",
       {{0, .1, D}, {0, .2, P}, {0, .3, P}, {0, .4, D}}},
      {"a rate of one draws every step", "sync1", {{0, .1, D}, {0, .2, D}}},
      {"graphics updates off: observed only", "sync3 noupdates",
       {{0, .1, P}, {0, .2, P}, {0, .3, O}}},
      {"an agent without graphics observes", "sync1 nographics", {{0, .1, O}}},
      {"timed refresh once more than the update time has passed", "timed",
       {{0, .1, P}, {.3, .2, P}, {.3, .3, F}, {0, .4, P}, {.5, .5, P}, {.01, .6, F}}},
      {"timed refresh with graphics updates off", "timed noupdates", {{.6, .1, O}}},
      {"a foreign step is drawn, not observed, once the time has passed", "nt master timed",
       {{0, .05, N}, {.6, .07, Agent::FrameDrawOnly}, {0, kProposal, P}}},
      {"a foreign step with graphics updates off", "nt master timed noupdates", {{.6, .05, N}}},
      {"without the master clock every step is an own step", "nt", {{0, .13, P}, {0, .05, P}}},
      {"real time draws the proposed value only", "nt master realtime",
       {{0, .01, N}, {.2, kProposal, Agent::FrameDrawRealTime}}},
  };
  for (const PacingCase& c : cases) {
    SCOPED_TRACE(c.what);
    auto has = [&](const char* word) {
      return (" " + c.settings + " ").find(std::string(" ") + word + " ") != std::string::npos;
    };
    Settings::ResetToDefaults();
    Settings::SetSynchronousRefresh(has("sync1") || has("sync3"));
    Settings::SetUpdateRate(has("sync3") ? 3 : 1);
    Settings::SetUpdateTime(has("timed") ? 0.5f : 1000.0f);
    Settings::SetGraphicsUpdatesYesOrNo(!has("noupdates"));
    Settings::SetMasterClockYesOrNo(has("master"));
    Settings::SetRealTimeYesOrNo(has("realtime"));
    Agent* agent = MakeAgent(has("nt"));
    if (has("nographics")) agent->SetWithGraphics(0);
    if (has("reinit")) agent->ReInitData(SimReInitStart);
    std::vector<int> states, expected;
    for (const PacingStep& s : c.steps) {
      NUVSimValue proposed;
      if (has("nt")) agent->GetNextProposedValue(proposed);
      Seconds(s.seconds);
      agent->GetDrawMessage()->SetDrawable(0);
      agent->SetCurrentSimValue(s.value == kProposal ? proposed : NUVSimValue(s.value));
      states.push_back(agent->GetFrameState());
      if (s.state == Agent::FrameDrawOnly) {
        EXPECT_EQ(Flags(agent), "110") << "drawn, not observed";
      }
      agent->Commit();
      Get(agent, &Agent::GetLoopStatus);
      expected.push_back(s.state);
      bool drawn = s.state >= Agent::FrameDrawSynchronous && s.state <= Agent::FrameDrawForced;
      EXPECT_EQ(agent->GetDrawMessage()->GetDrawable(), drawn ? 1 : 0)
          << "Commit marks the message drawable exactly when the step is drawn";
    }
    EXPECT_EQ(states, expected);
  }
}

// The grid and the rebase on random inputs are in tests/properties; here the
// bounds of the interval and the one-shot forced interval.
TEST_F(RedrawPacing, IntervalBoundsAndTheForcedInterval) {
  Agent* agent = MakeAgent(true);
  EXPECT_EQ(agent->SetInterval(NUVSimValue(0, 1)), S_OK) << "the smallest interval itself";
  agent->SetSpeedFactor(NUVSimValue(0, 1));
  EXPECT_EQ(Interval(agent, 1), NUVSimValue(0, 1)) << "a step rounded to zero stalls the grid";
  EXPECT_EQ(agent->SetInterval(NUVSimValue(4611686018427387904.0)), S_OK);
  EXPECT_EQ(Interval(agent, 0), NUVSimValue(4611686018427387904.0)) << "2^62 itself is an interval";
  EXPECT_EQ(agent->SetInterval(NUVSimValue(9.3e18)), S_OK);
  EXPECT_EQ(Interval(agent, 0), NUVSimValue(NUVSimValue::DblMax)) << "above 2^62 the interval is off";
  Settings::SetMasterClockYesOrNo(1);
  EXPECT_EQ(ProposalAfter(agent, 0.0), NUVSimValue(NUVSimValue::DblMax));
  agent->ForceInterval(1);
  EXPECT_NE(Proposal(agent), NUVSimValue(NUVSimValue::DblMax)) << "a forced interval acts on one proposal";
  EXPECT_EQ(Proposal(agent), NUVSimValue(NUVSimValue::DblMax));
}

// Without the master clock the proposals are the scheduled values alone.
TEST_F(RedrawPacing, ScheduledRedrawsWithoutTheMasterClock) {
  Agent* agent = MakeAgent(true);
  for (double v : {2.0, 1.0, 2.0, 0.0, -3.0}) agent->ScheduleRedraw(NUVSimValue(v));
  EXPECT_EQ(agent->GetScheduledCount(), 2) << "no duplicates, nothing at or below empty";
  EXPECT_EQ(Proposal(agent), NUVSimValue(1.0));
  agent->SetCurrentSimValue(NUVSimValue(1.0));
  EXPECT_EQ(Get(agent, &Agent::GetNextScheduled), NUVSimValue(2.0));
  EXPECT_EQ(agent->GetScheduledCount(), 2) << "GetNextScheduled changes nothing";
  EXPECT_EQ(ProposalAfter(agent, 2.5), NUVSimValue(NUVSimValue::DblMax))
      << "none left: the greatest value";
  EXPECT_EQ(Get(agent, &Agent::GetNextScheduled), NUVSimValue(-1.0));
  EXPECT_EQ(Proposal(agent), NUVSimValue(-1.0)) << "an empty list: no value";
}

TEST_F(RedrawPacing, RequestsAndTheFrameStateTable) {
  Agent* agent = MakeAgent(false);
  EXPECT_EQ(Flags(agent), "000");
  agent->RequestObservation();
  EXPECT_EQ(agent->GetFrameState(), Agent::FrameObserve);
  EXPECT_EQ(Flags(agent), "101");
  agent->RequestRedraw();  // synchronous refresh is off: observe
  EXPECT_EQ(agent->GetFrameState(), Agent::FrameObserve);
  Settings::SetSynchronousRefresh(1);
  agent->RequestRedraw();
  EXPECT_EQ(agent->GetFrameState(), Agent::FrameDrawForced);
  EXPECT_EQ(Flags(agent), "111");
  EXPECT_TRUE(agent->GetDrawMessage()->GetDrawable()) << "ForceRedraw marks the message at once";
  agent->RequestObservation();
  EXPECT_EQ(agent->GetFrameState(), Agent::FrameDrawForced) << "only from 0";
  agent->CancelRedraw();
  EXPECT_EQ(agent->GetFrameState(), Agent::FrameNone);
  Agent* bare = MakeAgent(false, false);
  bare->ForceRedraw();
  EXPECT_EQ(bare->GetFrameState(), Agent::FrameObserve) << "no graphics: observe instead";

  Agent* nt = MakeAgent(true);
  NUVSimValue last;
  nt->ComputeNextIteration(1);
  nt->SetCurrentSimValue(NUVSimValue(0.5));
  nt->Commit();
  nt->LastFrameObserved(last);
  EXPECT_EQ(last, NUVSimValue(-1.0)) << "held: the value was ignored and nothing recorded";
  nt->SetCurrentSimValue(NUVSimValue(0.5));  // Commit cleared the hold
  nt->Commit();
  nt->LastFrameObserved(last);
  EXPECT_EQ(last, NUVSimValue(0.5));
}

// Real-time play that keeps falling behind: each real-time advance larger
// than the one before. The eleventh in a row stops the loop with an error.
TEST_F(RedrawPacing, GrowingRealTimeAdvancesStopPlayWithTheLatenessError) {
  FrameTestScene scene;  // a current editor for the error manager
  Settings::SetRealTimeYesOrNo(1);
  Settings::SetMasterClockYesOrNo(1);
  Agent* agent = MakeAgent(true);
  NUVISimErrorManager_var manager;
  PLMGetSimErrorManager::Get(manager, 1, nullptr, nullptr);
  ASSERT_TRUE(manager);
  auto errors = [&] {
    int n = -1;
    manager->GetNumberOfErrors(n);
    return n;
  };
  agent->SetCurrentSimValue(NUVSimValue(0.0));
  for (int i = 1; i <= 10; ++i) {
    Seconds(0.001 * i);
    agent->SetCurrentSimValue(Proposal(agent));
    EXPECT_EQ(Get(agent, &Agent::GetLoopStatus), SimLoopContinue) << "growth " << i;
  }
  EXPECT_EQ(errors(), 0);
  Seconds(0.011);
  agent->SetCurrentSimValue(Proposal(agent));
  agent->Commit();
  agent->GetDrawMessage()->SetDrawable(0);
  NUVSimMessageQueue::GetInstance()->EmptyQueue();
  EXPECT_EQ(Get(agent, &Agent::GetLoopStatus), SimLoopStop) << "the eleventh growth stops play";
  EXPECT_FALSE(agent->GetDrawMessage()->IsPosted()) << "no draw-or-continue message meanwhile";
  ASSERT_EQ(errors(), 1);
  NUVSimulationError* error = nullptr;
  ASSERT_EQ(manager->GetError(1, error), S_OK);
  EXPECT_EQ(error->GetInformationOnErrorType(), NUVErrorTypeError);
  EXPECT_NE(error->GetMessageText().Std().find("behind"), std::string::npos);
  error->Release();
  EXPECT_EQ(Get(agent, &Agent::GetLoopStatus), SimLoopStop);
  EXPECT_EQ(errors(), 2) << "raised at every call while late";
  Seconds(0.001);  // shorter than the advance before: not growing
  Proposal(agent);
  EXPECT_EQ(Get(agent, &Agent::GetLoopStatus), SimLoopContinue)
      << "one non-growing advance brings play back";
  PLMGetSimErrorManager::RemoveManager(manager);
}

// Every decision reads the settings it needs anew, in its own order, and
// only those: a cached setting or a read in the wrong branch shows here.
TEST_F(RedrawPacing, SettingsAreReadAtEveryStepInTheirOrder) {
  Settings::SetSynchronousRefresh(1);
  Settings::SetUpdateRate(3);
  Agent* kf = MakeAgent(false);
  Agent* nt = MakeAgent(true);
  Settings::SetReadObserver(&Record);
  auto reads = [](auto&& call) {
    Reads().clear();
    call();
    return Reads();
  };
  NUVSimValue v;
  EXPECT_EQ(reads([&] { kf->SetCurrentSimValue(NUVSimValue(0.1)); }),
            (Names{"GetSynchronousRefresh", "GetGraphicsUpdatesYesOrNo", "GetUpdateRate"}));
  EXPECT_EQ(reads([&] { kf->SetCurrentSimValue(NUVSimValue(0.2)); }),
            (Names{"GetSynchronousRefresh", "GetGraphicsUpdatesYesOrNo", "GetUpdateRate"}))
      << "read again at the next step";
  EXPECT_EQ(reads([&] { kf->Commit(); }), Names{});
  Settings::SetSynchronousRefresh(0);
  EXPECT_EQ(reads([&] { kf->SetCurrentSimValue(NUVSimValue(0.3)); }),
            (Names{"GetSynchronousRefresh", "GetGraphicsUpdatesYesOrNo", "GetUpdateTime"}));

  Settings::SetMasterClockYesOrNo(1);
  EXPECT_EQ(reads([&] { nt->GetNextProposedValue(v); }),
            (Names{"GetRealTimeYesOrNo", "GetMasterClockYesOrNo", "GetMasterClockYesOrNo"}));
  EXPECT_EQ(reads([&] { nt->SetCurrentSimValue(NUVSimValue(0.05)); }),
            (Names{"GetRealTimeYesOrNo", "GetMasterClockYesOrNo", "GetSynchronousRefresh",
                   "GetGraphicsUpdatesYesOrNo", "GetUpdateTime"}))
      << "a foreign step asks the master clock, then the timed refresh";
  Settings::SetRealTimeYesOrNo(1);
  EXPECT_EQ(reads([&] { nt->SetCurrentSimValue(NUVSimValue(0.07)); }), Names{"GetRealTimeYesOrNo"})
      << "real-time play decides from the real-time setting alone";
  nt->SetCurrentSimValue(NUVSimValue(0.2));
  EXPECT_EQ(reads([&] { nt->GetNextProposedValue(v); }),
            (Names{"GetRealTimeYesOrNo", "GetRealTimeFactor", "GetMasterClockYesOrNo",
                   "GetMasterClockYesOrNo"}));
  EXPECT_EQ(reads([&] { nt->GetInterval(v, 0); }), Names{"GetAdaptiveClockIntervalYesOrNo"});
  Settings::SetReadObserver(nullptr);
}
