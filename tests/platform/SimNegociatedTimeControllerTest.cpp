#include <gtest/gtest.h>

#include "NUVBaseUnknown_WR.h"
#include "NUVSimNegociatedTimeController.h"
#include "NUVSimProbesStructuredAgentNegociatedTime.h"
#include "SimCountingAgents.h"

namespace {
typedef std::vector<std::string> Calls;
typedef NUVISimControllerNegociatedTime NT;
}  // namespace

class SimNegociatedTimeController : public ::testing::Test {
 protected:
  void SetUp() override {
    controller = new NUVSimNegociatedTimeController;
    agent = new SimCountingNegociatedTimeAgent(&log, "A");
  }
  void TearDown() override {
    if (controller) {
      NUVISimAgentNegociatedTime_var none;
      controller->SetControlledAgent(none);
      controller->Release();
    }
    if (agent) agent->Release();
    EXPECT_EQ(SimCountingNegociatedTimeAgent::liveCount, 0) << "an agent leaked";
  }
  void Attach(NUVISimAgentNegociatedTime* a) {
    NUVISimAgentNegociatedTime_var handle(a);
    ASSERT_EQ(controller->SetControlledAgent(handle), S_OK);
  }
  bool CanContinue() {
    unsigned char more = 1;
    controller->CanContinue(more);
    return more != 0;
  }
  bool RunFinished() {
    unsigned char finished = 0;
    controller->IsRunFinished(finished);
    return finished != 0;
  }
  int Status() {
    NUVSimValue value;
    int status = -1;
    controller->GetCurrentValueAndStatus(value, status);
    return status;
  }
  NUVSimValue Current() {
    NUVSimValue value;
    controller->GetCurrentSimValue(value);
    return value;
  }
  // The values the agent was set to, in order.
  Calls Sets(const std::string& tag = "A") {
    Calls sets;
    for (const std::string& c : log.Of(tag))
      if (c.compare(0, 4, "Set ") == 0) sets.push_back(c.substr(4));
    return sets;
  }
  int PlayAll(int bound = 100) {
    int n = 0;
    while (CanContinue() && n < bound) {
      EXPECT_EQ(controller->Iterate(), S_OK);
      ++n;
    }
    return n;
  }

  SimCallLog log;
  NUVSimNegociatedTimeController* controller = nullptr;
  SimCountingNegociatedTimeAgent* agent = nullptr;
};

TEST_F(SimNegociatedTimeController, CallOrderOfTheFirstAndLaterIterations) {
  controller->SetStartEnd(0.0, 1.0);
  controller->SetDefaultStep(0.5);
  Attach(agent);
  controller->Iterate();
  EXPECT_EQ(log.Of("A"), (Calls{"Attach", "Init", "ReInit 0", "Activate", "Set 0", "Compute",
                                "Commit", "Loop"}));
  EXPECT_EQ(Status(), NT::StatusProposedStep);
  log.Clear();
  controller->Iterate();
  EXPECT_EQ(log.Of("A"), (Calls{"Propose none", "Set 0.5", "Compute", "Commit", "Loop"}));
  EXPECT_EQ(Status(), NT::StatusDefaultStep) << "nobody proposed";
  log.Clear();
  controller->Iterate();
  EXPECT_EQ(log.Of("A"), (Calls{"Propose none", "Set 1", "Compute", "Commit", "Loop",
                                "Deactivate", "Clean"}));
  EXPECT_EQ(Status(), NT::StatusEndReached);
  EXPECT_FALSE(CanContinue());
  EXPECT_TRUE(RunFinished());
  EXPECT_EQ(controller->Iterate(), S_FALSE);
}

TEST_F(SimNegociatedTimeController, AdvancesToTheSmallestProposalOfTheMembers) {
  auto* structured = new NUVSimProbesStructuredAgentNegociatedTime;
  auto* other = new SimCountingNegociatedTimeAgent(&log, "B");
  auto* silent = new SimCountingNegociatedTimeAgent(&log, "C");
  agent->propose = [](const NUVSimValue& v) { return v + NUVSimValue(0.3); };
  other->propose = [](const NUVSimValue& v) { return v + NUVSimValue(0.2); };
  {
    NUVISimAgentNegociatedTime_var a(agent), b(other), c(silent);
    structured->AddMember(a);
    structured->AddMember(b);
    structured->AddMember(c);
  }
  controller->SetStartEnd(0.0, 1.0);
  Attach(structured);
  EXPECT_EQ(PlayAll(), 6);
  EXPECT_EQ(Sets("A"), (Calls{"0", "0.2", "0.4", "0.6", "0.8", "1"}));
  EXPECT_EQ(Sets("C"), Sets("A")) << "every member plays the negotiated value";

  // -1.0 is no proposal; the other member's value wins.
  ASSERT_EQ(controller->Rewind(), S_OK);
  log.Clear();
  other->propose = [](const NUVSimValue&) { return NUVSimValue(-1.0); };
  agent->propose = [](const NUVSimValue& v) { return v + NUVSimValue(0.5); };
  EXPECT_EQ(PlayAll(), 3);
  EXPECT_EQ(Sets("A"), (Calls{"0", "0.5", "1"}));
  EXPECT_EQ(log.Of("A")[1], "ReInit 1") << "after Rewind the agents re-initialise for a replay";

  NUVISimAgentNegociatedTime_var none;
  controller->SetControlledAgent(none);
  other->Release();
  silent->Release();
  structured->Release();
}

TEST_F(SimNegociatedTimeController, ProposalsThatDoNotAdvanceTakeTheDefaultStep) {
  controller->SetStartEnd(0.0, 0.3);
  controller->SetDefaultStep(0.1);
  agent->propose = [](const NUVSimValue& v) { return v; };  // not ahead
  Attach(agent);
  EXPECT_EQ(PlayAll(), 4);
  EXPECT_EQ(Sets(), (Calls{"0", "0.1", "0.2", "0.3"}));
}

TEST_F(SimNegociatedTimeController, NeverGoesBeyondItsEndValue) {
  controller->SetStartEnd(0.0, 1.0);
  agent->propose = [](const NUVSimValue&) { return NUVSimValue(5.0); };
  Attach(agent);
  EXPECT_EQ(PlayAll(), 2);
  EXPECT_EQ(Sets(), (Calls{"0", "1"}));
  EXPECT_EQ(Current(), NUVSimValue(1.0));
  EXPECT_EQ(Status(), NT::StatusEndReached);

  // The greatest value as proposal and end: play reaches it and ends.
  ASSERT_EQ(controller->SetStartEnd(0.0, NUVSimValue::DblMax), S_OK);
  ASSERT_EQ(controller->Rewind(), S_OK);
  agent->propose = [](const NUVSimValue&) { return NUVSimValue(NUVSimValue::DblMax); };
  EXPECT_EQ(PlayAll(), 2);
  EXPECT_TRUE(Current().IsPositiveInfinity());
}

TEST_F(SimNegociatedTimeController, LoopStatusThreeStopsAndTwoEndsTheRun) {
  controller->SetStartEnd(0.0, 10.0);
  controller->SetDefaultStep(1.0);
  controller->SetIterationsPerRun(100);
  agent->status = SimLoopEndOfRun;
  agent->statusFromStep = 2;
  Attach(agent);
  controller->Iterate();
  EXPECT_FALSE(RunFinished());
  controller->Iterate();
  EXPECT_EQ(Status(), NT::StatusEndOfRun);
  EXPECT_TRUE(RunFinished()) << "loop status 2 ends the run";
  EXPECT_TRUE(CanContinue()) << "but play goes on";

  agent->status = SimLoopStop;
  controller->Iterate();
  EXPECT_EQ(Status(), NT::StatusStopped);
  EXPECT_FALSE(CanContinue());
  Calls calls = log.Of("A");
  Calls tail(calls.end() - 2, calls.end());
  EXPECT_EQ(tail, (Calls{"Deactivate", "Clean"}));
}

TEST_F(SimNegociatedTimeController, RunsEndAfterTheIterationsPerRun) {
  controller->SetStartEnd(0.0, 100.0);
  controller->SetDefaultStep(1.0);
  EXPECT_EQ(controller->SetIterationsPerRun(0), E_INVALIDARG);
  ASSERT_EQ(controller->SetIterationsPerRun(3), S_OK);
  Attach(agent);
  std::vector<bool> finished;
  for (int i = 0; i < 7; ++i) {
    controller->Iterate();
    finished.push_back(RunFinished());
  }
  EXPECT_EQ(finished, (std::vector<bool>{false, false, true, false, false, true, false}));

  // By default every iteration is a run of its own.
  ASSERT_EQ(controller->SetIterationsPerRun(1), S_OK);
  controller->Iterate();
  EXPECT_TRUE(RunFinished());
}

TEST_F(SimNegociatedTimeController, RefusesBadInput) {
  EXPECT_EQ(controller->Iterate(), E_FAIL);
  EXPECT_FALSE(CanContinue());
  EXPECT_EQ(controller->SetStartEnd(1.0, 0.0), E_INVALIDARG);
  EXPECT_EQ(controller->SetDefaultStep(0.0), E_INVALIDARG);
  EXPECT_EQ(controller->SetDefaultStep(-1.0), E_INVALIDARG);
  Attach(agent);
  controller->Iterate();
  EXPECT_EQ(controller->SetStartEnd(0.0, 2.0), E_UNEXPECTED);
  EXPECT_EQ(controller->SetDefaultStep(0.2), E_UNEXPECTED);
}

TEST_F(SimNegociatedTimeController, StopFromInsideAStepEndsPlayAfterIt) {
  controller->SetStartEnd(0.0, 10.0);
  controller->SetDefaultStep(1.0);
  long reentrant = 0;
  agent->onCommit = [&] {
    reentrant = controller->Iterate();
    if (agent->steps == 3) controller->Stop();
  };
  Attach(agent);
  EXPECT_EQ(PlayAll(), 3);
  EXPECT_EQ(reentrant, E_UNEXPECTED);
  EXPECT_EQ(Status(), NT::StatusStopped);
  EXPECT_EQ(log.Of("A").back(), "Clean");
}

TEST_F(SimNegociatedTimeController, ReferencesReturnToTheirStartAfterDetachAndDestruction) {
  controller->SetStartEnd(0.0, 1.0);
  unsigned long agentRefs = agent->GetRefCount();
  Attach(agent);
  controller->Iterate();
  NUVISimAgentNegociatedTime_var none;
  controller->SetControlledAgent(none);
  EXPECT_EQ(log.Of("A"), (Calls{"Attach", "Init", "ReInit 0", "Activate", "Set 0", "Compute",
                                "Commit", "Loop", "Deactivate", "Clean", "Detach"}));
  EXPECT_EQ(agent->GetRefCount(), agentRefs);
  NUVBaseUnknown_WR weak(controller);
  controller->Release();
  controller = nullptr;
  EXPECT_FALSE(weak.IsAlive()) << "nothing keeps a detached controller alive";
  EXPECT_EQ(agent->GetRefCount(), agentRefs);
}

TEST_F(SimNegociatedTimeController, DestroyingAPlayingControllerEndsPlayAndDetaches) {
  controller->SetStartEnd(0.0, 1.0);
  unsigned long agentRefs = agent->GetRefCount();
  Attach(agent);
  controller->Iterate();
  agent->controller = nullptr;
  log.Clear();
  controller->Release();
  controller = nullptr;
  EXPECT_EQ(log.Of("A"), (Calls{"Deactivate", "Clean", "Detach"}));
  EXPECT_EQ(agent->GetRefCount(), agentRefs);
}
