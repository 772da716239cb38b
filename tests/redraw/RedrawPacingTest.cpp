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
    for (Agent* a : agents) {
      NUVISimControllerKeyFrame_var none;
      a->SetSimulationController(none, 0);
      NUVISimControllerNegociatedTime_var noneNT;
      a->SetSimulationController(noneNT, 0);
      a->Release();
    }
    for (NUVBaseUnknown* c : controllers) c->Release();
    NUVSimMessageQueue::DeleteMessageQueueInstance();
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
      auto* c = new FakeNegociatedTimeController;
      controllers.push_back(c);
      NUVISimControllerNegociatedTime_var h(c);
      agent->SetSimulationController(h, 1);
    } else {
      auto* c = new FakeKeyFrameController;
      controllers.push_back(c);
      NUVISimControllerKeyFrame_var h(c);
      agent->SetSimulationController(h, 1);
    }
    agent->Init();
    agent->Activate();
    return agent;
  }
  // One key-frame step: value, commit. Returns the frame state decided.
  int Step(Agent* agent, double value) {
    agent->SetCurrentSimValue(NUVSimValue(value));
    int state = agent->GetFrameState();
    agent->Commit();
    SimLoopStatus status;
    agent->GetLoopStatus(status);
    return state;
  }
  // The agent's next proposal, after setting a value.
  static NUVSimValue Proposal(Agent* agent) {
    NUVSimValue proposed;
    agent->GetNextProposedValue(proposed);
    return proposed;
  }
  static NUVSimValue ProposalAfter(Agent* agent, double value) {
    agent->SetCurrentSimValue(NUVSimValue(value));
    return Proposal(agent);
  }
  static NUVSimValue Interval(Agent* agent, int withSpeedFactor) {
    NUVSimValue interval;
    agent->GetInternalInterval(interval, withSpeedFactor);
    return interval;
  }
  // "drawable drawing observable" as three digits.
  static std::string Flags(Agent* agent) {
    unsigned char drawable = 9, drawing = 9, observable = 9;
    agent->IsFrameDrawable(drawable);
    agent->IsFrameDrawing(drawing);
    agent->IsFrameObservable(observable);
    return std::to_string(drawable) + std::to_string(drawing) + std::to_string(observable);
  }
  static SimLoopStatus Loop(Agent* agent) {
    SimLoopStatus status = SimLoopUnset;
    agent->GetLoopStatus(status);
    return status;
  }
  static NUVSimValue NextScheduled(Agent* agent) {
    NUVSimValue next;
    agent->GetNextScheduled(next);
    return next;
  }
  static void Seconds(double s) {
    NUVOsAdvancePerformanceCounter(static_cast<long long>(s * kSecond));
  }

  std::vector<Agent*> agents;
  std::vector<NUVBaseUnknown*> controllers;
};

}  // namespace

TEST_F(RedrawPacing, SynchronousRefreshDrawsEveryNthStep) {
  Settings::SetSynchronousRefresh(1);
  Settings::SetUpdateRate(3);
  Agent* agent = MakeAgent(false);
  EXPECT_EQ(Step(agent, 0.1), Agent::FramePending);
  EXPECT_EQ(Step(agent, 0.2), Agent::FramePending);
  EXPECT_EQ(Step(agent, 0.3), Agent::FrameDrawSynchronous) << "a new agent draws the third step";
  EXPECT_TRUE(agent->GetDrawMessage()->GetDrawable()) << "Commit made the message drawable";

  agent->ReInitData(SimReInitStart);
  EXPECT_EQ(agent->GetFrameState(), Agent::FrameObserve);
  std::vector<int> states;
  for (int i = 1; i <= 4; ++i) states.push_back(Step(agent, 0.1 * i));
  EXPECT_EQ(states, (std::vector<int>{Agent::FrameDrawSynchronous, Agent::FramePending,
                                      Agent::FramePending, Agent::FrameDrawSynchronous}))
      << "after ReInitData the first step is drawn";

  Settings::SetGraphicsUpdatesYesOrNo(0);
  states.clear();
  for (int i = 1; i <= 3; ++i) states.push_back(Step(agent, 1 + 0.1 * i));
  EXPECT_EQ(states,
            (std::vector<int>{Agent::FramePending, Agent::FramePending, Agent::FrameObserve}))
      << "graphics updates off: observed only";

  Agent* noGraphics = MakeAgent(false, false);
  EXPECT_EQ(Step(noGraphics, 0.1), Agent::FrameObserve);
  EXPECT_EQ(noGraphics->GetDrawMessage(), nullptr);

  Settings::SetGraphicsUpdatesYesOrNo(1);
  Settings::SetUpdateRate(1);
  EXPECT_EQ(Step(agent, 2.1), Agent::FrameDrawSynchronous) << "a rate of one: every step";
  EXPECT_EQ(Step(agent, 2.2), Agent::FrameDrawSynchronous);
}

TEST_F(RedrawPacing, TimedRefreshDrawsOncePerUpdateTime) {
  Settings::SetUpdateTime(0.5f);
  Agent* agent = MakeAgent(false);
  EXPECT_EQ(Step(agent, 0.1), Agent::FramePending);
  Seconds(0.3);
  EXPECT_EQ(Step(agent, 0.2), Agent::FramePending);
  Seconds(0.3);  // 0.6 s since the last refresh
  EXPECT_EQ(Step(agent, 0.3), Agent::FrameDrawForced);
  EXPECT_EQ(Step(agent, 0.4), Agent::FramePending) << "the refresh stopwatch restarted";
  Seconds(0.5);
  EXPECT_EQ(Step(agent, 0.5), Agent::FramePending) << "exactly the update time is not more";
  Seconds(0.01);
  EXPECT_EQ(Step(agent, 0.6), Agent::FrameDrawForced);

  Settings::SetGraphicsUpdatesYesOrNo(0);
  Seconds(0.6);
  EXPECT_EQ(Step(agent, 0.7), Agent::FrameObserve);
}

TEST_F(RedrawPacing, TimedRefreshOnAForeignStepDrawsWithoutObserving) {
  Settings::SetUpdateTime(0.5f);
  Settings::SetMasterClockYesOrNo(1);
  Agent* agent = MakeAgent(true);
  NUVSimValue proposed;
  ProposalAfter(agent, 0.0);                     // proposes 0.1
  agent->SetCurrentSimValue(NUVSimValue(0.05));  // another agent's step
  EXPECT_EQ(agent->GetFrameState(), Agent::FrameNone);
  agent->GetNextProposedValue(proposed);
  Seconds(0.6);
  agent->SetCurrentSimValue(NUVSimValue(0.07));
  EXPECT_EQ(agent->GetFrameState(), Agent::FrameDrawOnly);
  EXPECT_EQ(Flags(agent), "110") << "drawn, not observed";

  Settings::SetGraphicsUpdatesYesOrNo(0);
  agent->GetNextProposedValue(proposed);
  Seconds(0.6);
  agent->SetCurrentSimValue(NUVSimValue(0.08));
  EXPECT_EQ(agent->GetFrameState(), Agent::FrameNone);
}

TEST_F(RedrawPacing, NegociatedTimeWithAndWithoutTheMasterClock) {
  Settings::SetMasterClockYesOrNo(1);
  Agent* agent = MakeAgent(true);
  NUVSimValue proposed;
  EXPECT_EQ(ProposalAfter(agent, 0.0), NUVSimValue(0.1)) << "the master clock proposes its grid";
  agent->SetCurrentSimValue(NUVSimValue(0.1));
  EXPECT_EQ(agent->GetFrameState(), Agent::FramePending) << "the proposed value is an own step";

  Settings::SetMasterClockYesOrNo(0);
  EXPECT_EQ(Proposal(agent), NUVSimValue(-1.0)) << "without master clock and schedule: no value";
  agent->SetCurrentSimValue(NUVSimValue(0.13));
  EXPECT_EQ(agent->GetFrameState(), Agent::FramePending)
      << "without the master clock every step is an own step";

  Settings::SetRealTimeYesOrNo(1);
  agent->GetNextProposedValue(proposed);
  NUVSimValue own;
  agent->GetProposed(own);
  agent->SetCurrentSimValue(NUVSimValue(0.01));
  EXPECT_EQ(agent->GetFrameState(), Agent::FrameNone) << "real time: only the proposed value";
  agent->SetCurrentSimValue(own);
  EXPECT_EQ(agent->GetFrameState(), Agent::FrameDrawRealTime);
}

TEST_F(RedrawPacing, GridAdvanceSkipsMissedPointsRepeatsAfterResetAndClampsToTheEnd) {
  Settings::SetMasterClockYesOrNo(1);
  Agent* agent = MakeAgent(true);
  ASSERT_EQ(ProposalAfter(agent, 0.0), NUVSimValue(0.1));
  EXPECT_EQ(ProposalAfter(agent, 0.25), NUVSimValue(0.3)) << "0.2 was missed: straight to 0.3";
  EXPECT_EQ(ProposalAfter(agent, 0.3), NUVSimValue(0.4)) << "exactly on the redraw: one step";
  agent->SetCurrentSimValue(NUVSimValue(0.4));
  agent->Reset();
  NUVSimValue v;
  EXPECT_EQ(Proposal(agent), NUVSimValue(0.4)) << "repeated after Reset";
  EXPECT_EQ(Proposal(agent), NUVSimValue(0.5)) << "then advances normally";

  Agent* clamped = MakeAgent(true);
  NUVSimValue start(5.0), end;
  clamped->GetStartEnd(start, end);
  EXPECT_EQ(start, NUVSimValue()) << "a new agent's range is open";
  EXPECT_EQ(end, NUVSimValue(NUVSimValue::DblMax));
  clamped->SetStartEnd(NUVSimValue(0.0), NUVSimValue(0.28));
  clamped->GetStartEnd(start, end);
  EXPECT_EQ(start, NUVSimValue(0.0));
  EXPECT_EQ(end, NUVSimValue(0.28));
  clamped->Init();
  ProposalAfter(clamped, 0.0);
  EXPECT_EQ(ProposalAfter(clamped, 0.25), NUVSimValue(0.28));
}

TEST_F(RedrawPacing, IntervalChangesRebaseThePendingRedrawWithinTheirBounds) {
  Settings::SetMasterClockYesOrNo(1);
  Agent* agent = MakeAgent(true);
  NUVSimValue v;
  EXPECT_EQ(agent->SetInterval(NUVSimValue(0.0)), E_FAIL);
  EXPECT_EQ(agent->SetInterval(NUVSimValue(-1.0)), E_FAIL);
  EXPECT_EQ(Interval(agent, 0), NUVSimValue(0.1)) << "a rejected interval changes nothing";
  agent->SetStartEnd(NUVSimValue(1.0), NUVSimValue(NUVSimValue::DblMax));
  agent->Init();
  ASSERT_EQ(ProposalAfter(agent, 1.0), NUVSimValue(1.1));
  agent->SetCurrentSimValue(NUVSimValue(1.05));
  EXPECT_EQ(agent->SetInterval(NUVSimValue(0.2)), S_OK);
  // 1.1 goes back to 1.0 on the old grid, then forward to 1.2 on the new one.
  EXPECT_EQ(ProposalAfter(agent, 1.2), NUVSimValue(1.4)) << "the pending redraw was 1.2";
  // At 1.2 with 1.4 pending, the step becomes 0.4: back two old steps to
  // 1.0, forward one new step to 1.4, then the grid goes on by 0.4.
  agent->SetSpeedFactor(NUVSimValue(2.0));
  EXPECT_EQ(ProposalAfter(agent, 1.6), NUVSimValue(1.8));
  agent->SetSpeedFactor(NUVSimValue(0.0));   // ignored
  agent->SetSpeedFactor(NUVSimValue(-1.0));  // ignored
  EXPECT_EQ(Interval(agent, 1), NUVSimValue(0.4));

  agent = MakeAgent(true);  // a fresh agent at its default interval
  EXPECT_EQ(agent->SetInterval(NUVSimValue(0, 1)), S_OK) << "the smallest interval itself";
  EXPECT_EQ(agent->SetInterval(NUVSimValue(4611686018427387904.0)), S_OK);
  EXPECT_EQ(Interval(agent, 0), NUVSimValue(4611686018427387904.0)) << "2^62 itself is an interval, not off";
  EXPECT_EQ(agent->SetInterval(NUVSimValue(9.3e18)), S_OK);
  EXPECT_EQ(Interval(agent, 0), NUVSimValue(NUVSimValue::DblMax)) << "above 2^62 the interval is off";
  EXPECT_EQ(ProposalAfter(agent, 0.0), NUVSimValue(NUVSimValue::DblMax));
  agent->ForceInterval(1);
  EXPECT_NE(Proposal(agent), NUVSimValue(NUVSimValue::DblMax)) << "a forced interval acts on one proposal";
  EXPECT_EQ(Proposal(agent), NUVSimValue(NUVSimValue::DblMax));
}

TEST_F(RedrawPacing, ScheduledRedraws) {
  Agent* agent = MakeAgent(true);
  NUVSimValue v;
  agent->ScheduleRedraw(NUVSimValue(2.0));
  agent->ScheduleRedraw(NUVSimValue(1.0));
  agent->ScheduleRedraw(NUVSimValue(2.0));
  agent->ScheduleRedraw(NUVSimValue());
  agent->ScheduleRedraw(NUVSimValue(-3.0));
  EXPECT_EQ(agent->GetScheduledCount(), 2) << "no duplicates, nothing at or below empty";
  EXPECT_EQ(NextScheduled(agent), NUVSimValue(1.0));
  agent->SetCurrentSimValue(NUVSimValue(1.0));
  EXPECT_EQ(NextScheduled(agent), NUVSimValue(2.0));
  EXPECT_EQ(agent->GetScheduledCount(), 2) << "GetNextScheduled changes nothing";
  EXPECT_EQ(Proposal(agent), NUVSimValue(2.0));
  EXPECT_EQ(agent->GetScheduledCount(), 1) << "1.0 left the list";
  EXPECT_EQ(ProposalAfter(agent, 2.5), NUVSimValue(NUVSimValue::DblMax))
      << "none left: the greatest value";
  EXPECT_EQ(NextScheduled(agent), NUVSimValue(-1.0));

  Settings::SetMasterClockYesOrNo(1);
  agent->ScheduleRedraw(NUVSimValue(9.0));
  EXPECT_EQ(Proposal(agent), NUVSimValue(2.6)) << "with the master clock: the earlier of grid and schedule";
}

// Passed values are dropped from the front of the list once more than 1,024
// of them make up most of it; what remains must still come in order.
TEST_F(RedrawPacing, ScheduledRedrawsStayInOrderPastTheCompactionOfPassedValues) {
  Agent* agent = MakeAgent(true);
  const int n = 3000;
  for (int i = n; i >= 1; --i) agent->ScheduleRedraw(NUVSimValue(static_cast<double>(i)));
  NUVSimValue v;
  agent->SetCurrentSimValue(NUVSimValue(0.5));
  for (int i = 1; i <= n; ++i) {
    agent->GetNextProposedValue(v);
    ASSERT_EQ(v, NUVSimValue(static_cast<double>(i))) << "proposal " << i;
    ASSERT_EQ(agent->GetScheduledCount(), n - i + 1) << "after proposal " << i;
    agent->SetCurrentSimValue(v);
    if (i == 2000) {
      // Scheduled after a compaction: merged behind the values still ahead.
      agent->ScheduleRedraw(NUVSimValue(2000.5));
      agent->ScheduleRedraw(NUVSimValue(10.0));  // already passed
      agent->GetNextProposedValue(v);
      ASSERT_EQ(v, NUVSimValue(2000.5));
      agent->SetCurrentSimValue(v);
    }
  }
  EXPECT_EQ(Proposal(agent), NUVSimValue(NUVSimValue::DblMax)) << "every scheduled value was passed";
  EXPECT_EQ(agent->GetScheduledCount(), 0);
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
  agent->SetCurrentSimValue(NUVSimValue(0.0));
  for (int i = 1; i <= 10; ++i) {
    Seconds(0.001 * i);
    agent->SetCurrentSimValue(Proposal(agent));
    EXPECT_EQ(Loop(agent), SimLoopContinue) << "growth " << i;
  }
  NUVISimErrorManager_var manager;
  PLMGetSimErrorManager::Get(manager, 1, nullptr, nullptr);
  ASSERT_TRUE(manager);
  int errors = -1;
  manager->GetNumberOfErrors(errors);
  EXPECT_EQ(errors, 0);

  Seconds(0.011);
  agent->SetCurrentSimValue(Proposal(agent));
  agent->Commit();
  agent->GetDrawMessage()->SetDrawable(0);
  NUVSimMessageQueue::GetInstance()->EmptyQueue();
  EXPECT_EQ(Loop(agent), SimLoopStop) << "the eleventh growth stops play";
  EXPECT_FALSE(agent->GetDrawMessage()->IsPosted()) << "no draw-or-continue message meanwhile";
  manager->GetNumberOfErrors(errors);
  ASSERT_EQ(errors, 1);
  NUVSimulationError* error = nullptr;
  ASSERT_EQ(manager->GetError(1, error), S_OK);
  EXPECT_EQ(error->GetInformationOnErrorType(), NUVErrorTypeError);
  NUVUnicodeString text = error->GetMessageText();
  EXPECT_NE(text.Std().find("behind"), std::string::npos) << text.Std();
  error->Release();
  EXPECT_EQ(Loop(agent), SimLoopStop);
  manager->GetNumberOfErrors(errors);
  EXPECT_EQ(errors, 2) << "raised at every call while late";

  Seconds(0.001);  // shorter than the advance before: not growing
  Proposal(agent);
  EXPECT_EQ(Loop(agent), SimLoopContinue) << "one non-growing advance brings play back";
  PLMGetSimErrorManager::RemoveManager(manager);
}

// Every decision reads the settings it needs anew, in its own order, and
// only those: a cached setting or a read in the wrong branch shows here.
namespace {
std::vector<std::string>& Reads() {
  static std::vector<std::string> reads;
  return reads;
}
void Record(const char* setting) { Reads().push_back(setting); }
typedef std::vector<std::string> Names;
}  // namespace

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
