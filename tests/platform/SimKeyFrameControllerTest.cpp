#include <gtest/gtest.h>

#include "NUVBaseUnknown_WR.h"
#include "NUVISimInitialization.h"
#include "NUVSimKeyFrameController.h"
#include "SimCountingAgents.h"

namespace {

typedef std::vector<std::string> Calls;

Calls Step(const std::string& value) { return {"Set " + value, "Compute", "Commit", "Loop"}; }

Calls Concat(std::initializer_list<Calls> parts) {
  Calls all;
  for (const Calls& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

}  // namespace

class SimKeyFrameController : public ::testing::Test {
 protected:
  void SetUp() override {
    controller = new NUVSimKeyFrameController;
    agent = new SimCountingKeyFrameAgent(&log, "A");
  }
  void TearDown() override {
    if (controller) {
      NUVISimAgentKeyFrame_var none;
      controller->SetControlledAgent(none);
      controller->Release();
    }
    if (agent) agent->Release();
    EXPECT_EQ(SimCountingKeyFrameAgent::liveCount, 0) << "an agent leaked";
  }
  void Attach(NUVISimAgentKeyFrame* a) {
    NUVISimAgentKeyFrame_var handle(a);
    ASSERT_EQ(controller->SetControlledAgent(handle), S_OK);
  }
  bool CanContinue() {
    unsigned char more = 1;
    controller->CanContinue(more);
    return more != 0;
  }
  // Iterates while the controller says play goes on; returns the count.
  int PlayAll(int bound = 100) {
    int n = 0;
    while (CanContinue() && n < bound) {
      EXPECT_EQ(controller->Iterate(), S_OK);
      ++n;
    }
    return n;
  }

  SimCallLog log;
  NUVSimKeyFrameController* controller = nullptr;
  SimCountingKeyFrameAgent* agent = nullptr;
};

TEST_F(SimKeyFrameController, StepsThroughEveryFrameInOrderThenSaysPlayIsOver) {
  ASSERT_EQ(controller->SetKeyFrames(0.0, 1.0, 0.25), S_OK);
  Attach(agent);
  EXPECT_EQ(log.Of("A"), (Calls{"Attach"})) << "attaching hands the controller to the agent";
  EXPECT_TRUE(agent->controller == NUVISimControllerKeyFrame_var(controller));

  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(CanContinue()) << "frames remain after " << i << " iterations";
    EXPECT_EQ(controller->Iterate(), S_OK);
  }
  EXPECT_TRUE(CanContinue());
  EXPECT_EQ(controller->Iterate(), S_OK);
  EXPECT_FALSE(CanContinue()) << "the last frame ends play";

  EXPECT_EQ(log.Of("A"), Concat({{"Attach", "Init", "Activate"}, Step("0"), Step("0.25"),
                                 Step("0.5"), Step("0.75"), Step("1"), {"Deactivate", "Clean"}}));
  EXPECT_EQ(controller->GetFramesPlayed(), 5);
  NUVSimValue current;
  controller->GetCurrentSimValue(current);
  EXPECT_EQ(current, NUVSimValue(1.0));

  log.Clear();
  EXPECT_EQ(controller->Iterate(), S_FALSE);
  EXPECT_TRUE(log.calls.empty()) << "nothing is played once play is over: " << log.Joined();
}

TEST_F(SimKeyFrameController, GridFramesEndOnTheEndValueWithoutDrift) {
  ASSERT_EQ(controller->SetKeyFrames(0.0, 1.0, 0.3), S_OK);
  Attach(agent);
  EXPECT_EQ(PlayAll(), 5);
  Calls sets;
  for (const std::string& c : log.Of("A"))
    if (c.compare(0, 4, "Set ") == 0) sets.push_back(c);
  EXPECT_EQ(sets, (Calls{"Set 0", "Set 0.3", "Set 0.6", "Set 0.9", "Set 1"}));

  // Eleven frames of 0.1: an accumulated 0.9999... would add a twelfth.
  ASSERT_EQ(controller->Rewind(), S_OK);
  ASSERT_EQ(controller->SetKeyFrames(0.0, 1.0, 0.1), S_OK);
  EXPECT_EQ(PlayAll(), 11);
  EXPECT_EQ(agent->current.GetWholePart(), 1);
  EXPECT_EQ(agent->current.GetFinePart(), 0);

  // A single frame when start and end coincide.
  ASSERT_EQ(controller->Rewind(), S_OK);
  ASSERT_EQ(controller->SetKeyFrames(2.0, 2.0, 0.5), S_OK);
  EXPECT_EQ(PlayAll(), 1);
}

TEST_F(SimKeyFrameController, ExplicitFramesPlayAscendingAndOnce) {
  NUVListValNUVSimValue frames;
  for (double v : {1.0, 0.5, 1.0, -2.0}) frames.Append(NUVSimValue(v));
  ASSERT_EQ(controller->SetKeyFrameList(frames), S_OK);
  Attach(agent);
  EXPECT_EQ(PlayAll(), 3);
  EXPECT_EQ(log.Of("A"), Concat({{"Attach", "Init", "Activate"}, Step("-2"), Step("0.5"),
                                 Step("1"), {"Deactivate", "Clean"}}));
}

TEST_F(SimKeyFrameController, LoopStatusThreeStopsPlayAfterThatFrame) {
  ASSERT_EQ(controller->SetKeyFrames(0.0, 10.0, 1.0), S_OK);
  agent->status = SimLoopStop;
  agent->statusFromStep = 2;
  Attach(agent);
  EXPECT_EQ(PlayAll(), 2);
  EXPECT_FALSE(CanContinue());
  EXPECT_EQ(log.Of("A"), Concat({{"Attach", "Init", "Activate"}, Step("0"), Step("1"),
                                 {"Deactivate", "Clean"}}));
}

TEST_F(SimKeyFrameController, RefusesBadInputAndPlaysNothingWithoutFramesOrAgent) {
  EXPECT_EQ(controller->Iterate(), E_FAIL) << "no controlled agent";
  EXPECT_FALSE(CanContinue());
  Attach(agent);
  EXPECT_EQ(controller->Iterate(), S_FALSE) << "no frames";
  EXPECT_FALSE(CanContinue());
  EXPECT_EQ(controller->SetKeyFrames(0.0, 1.0, 0.0), E_INVALIDARG);
  EXPECT_EQ(controller->SetKeyFrames(0.0, 1.0, -0.1), E_INVALIDARG);
  EXPECT_EQ(controller->SetKeyFrames(1.0, 0.0, 0.1), E_INVALIDARG);
  EXPECT_EQ(controller->SetKeyFrameList(NUVListValNUVSimValue()), E_INVALIDARG);
  EXPECT_EQ(log.Of("A"), (Calls{"Attach"}));

  ASSERT_EQ(controller->SetKeyFrames(0.0, 1.0, 0.5), S_OK);
  EXPECT_EQ(controller->Iterate(), S_OK);
  EXPECT_EQ(controller->SetKeyFrames(0.0, 2.0, 0.5), E_UNEXPECTED) << "frames are fixed during play";
}

TEST_F(SimKeyFrameController, CallsFromInsideAnIterationAreSafe) {
  ASSERT_EQ(controller->SetKeyFrames(0.0, 5.0, 1.0), S_OK);
  long reentrant = 0, replaced = 0, rewound = 0;
  agent->onCommit = [&] {
    reentrant = controller->Iterate();
    NUVISimAgentKeyFrame_var none;
    replaced = controller->SetControlledAgent(none);
    rewound = controller->Rewind();
    if (agent->steps == 2) controller->Stop();
  };
  Attach(agent);
  EXPECT_EQ(PlayAll(), 2);
  EXPECT_EQ(reentrant, E_UNEXPECTED);
  EXPECT_EQ(replaced, E_UNEXPECTED);
  EXPECT_EQ(rewound, E_UNEXPECTED);
  // Stop inside Commit lets the frame finish (its loop status is asked).
  EXPECT_EQ(log.Of("A"), Concat({{"Attach", "Init", "Activate"}, Step("0"), Step("1"),
                                 {"Deactivate", "Clean"}}));
}

TEST_F(SimKeyFrameController, RewindHandsTheControllerAgainAndReplaysFromTheStart) {
  ASSERT_EQ(controller->SetKeyFrames(0.0, 1.0, 0.5), S_OK);
  Attach(agent);
  controller->Iterate();
  log.Clear();
  // Mid-play: play ends, the agent is handed the controller again.
  ASSERT_EQ(controller->Rewind(), S_OK);
  EXPECT_EQ(log.Of("A"), (Calls{"Deactivate", "Clean", "Attach"}));
  EXPECT_TRUE(CanContinue());
  log.Clear();
  EXPECT_EQ(PlayAll(), 3);
  EXPECT_EQ(log.Of("A"), Concat({{"Init", "Activate"}, Step("0"), Step("0.5"), Step("1"),
                                 {"Deactivate", "Clean"}}));
  // Rewinding a controller that never started play does not re-attach.
  ASSERT_EQ(controller->Rewind(), S_OK);
  log.Clear();
  ASSERT_EQ(controller->Rewind(), S_OK);
  EXPECT_TRUE(log.calls.empty()) << log.Joined();
}

TEST_F(SimKeyFrameController, StopBeforePlayEndsItWithoutLifecycleCalls) {
  ASSERT_EQ(controller->SetKeyFrames(0.0, 1.0, 0.5), S_OK);
  Attach(agent);
  controller->Stop();
  EXPECT_FALSE(CanContinue());
  EXPECT_EQ(controller->Iterate(), S_FALSE);
  EXPECT_EQ(log.Of("A"), (Calls{"Attach"}));
}

TEST_F(SimKeyFrameController, ReferencesReturnToTheirStartWhenTheAgentIsDetached) {
  ASSERT_EQ(controller->SetKeyFrames(0.0, 1.0, 0.5), S_OK);
  unsigned long agentRefs = agent->GetRefCount(), controllerRefs = controller->GetRefCount();
  Attach(agent);
  EXPECT_EQ(agent->GetRefCount(), agentRefs + 1);
  EXPECT_EQ(controller->GetRefCount(), controllerRefs + 1) << "the agent keeps its controller";
  controller->Iterate();

  NUVISimAgentKeyFrame_var none;
  ASSERT_EQ(controller->SetControlledAgent(none), S_OK);
  EXPECT_EQ(log.Of("A").back(), "Detach");
  EXPECT_EQ(agent->GetRefCount(), agentRefs);
  EXPECT_EQ(controller->GetRefCount(), controllerRefs);

  NUVBaseUnknown_WR weak(controller);
  controller->Release();
  controller = nullptr;
  EXPECT_FALSE(weak.IsAlive());
  EXPECT_EQ(agent->GetRefCount(), agentRefs);
}

TEST_F(SimKeyFrameController, DestroyingAPlayingControllerEndsPlayAndDetaches) {
  ASSERT_EQ(controller->SetKeyFrames(0.0, 1.0, 0.5), S_OK);
  unsigned long agentRefs = agent->GetRefCount();
  Attach(agent);
  controller->Iterate();
  // An agent that does not keep its controller lets it go.
  agent->controller = nullptr;
  log.Clear();
  controller->Release();
  controller = nullptr;
  EXPECT_EQ(log.Of("A"), (Calls{"Deactivate", "Clean", "Detach"}));
  EXPECT_EQ(agent->GetRefCount(), agentRefs);
}

TEST_F(SimKeyFrameController, ReplacingTheAgentEndsThePlayOfTheOldOne) {
  ASSERT_EQ(controller->SetKeyFrames(0.0, 1.0, 0.5), S_OK);
  auto* other = new SimCountingKeyFrameAgent(&log, "B");
  Attach(agent);
  controller->Iterate();
  Attach(other);
  EXPECT_EQ(log.Joined(),
            "A:Attach A:Init A:Activate A:Set 0 A:Compute A:Commit A:Loop A:Deactivate A:Clean "
            "A:Detach B:Attach");
  NUVISimAgentKeyFrame_var held;
  controller->GetControlledAgent(held);
  EXPECT_TRUE(held == NUVISimAgentKeyFrame_var(other));
  held = nullptr;
  log.Clear();
  EXPECT_EQ(PlayAll(), 3) << "the new agent plays from the first frame";
  EXPECT_EQ(log.Of("B").front(), "Init");
  other->Release();
}

TEST_F(SimKeyFrameController, InitializationCarriesTheRealTimeSuppression) {
  NUVISimInitialization_var init;
  ASSERT_EQ(controller->GetInitialization(init), S_OK);
  ASSERT_TRUE(!!init);
  NUVSimOptions options;
  init->GetOptions(options);
  EXPECT_EQ(options.GetNoRealTime(), 0);
  controller->SetNoRealTime(1);
  init->GetOptions(options);
  EXPECT_EQ(options.GetNoRealTime(), 1);
}
