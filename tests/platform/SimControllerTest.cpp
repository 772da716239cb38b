// The engine's two controllers: one typed fixture for the play lifecycle they
// share, then what each adds. Their plain plays are covered by the end-to-end
// plays; these pin orders, references, re-entry and boundaries.
#include <gtest/gtest.h>

#include <functional>

#include "NUVBaseUnknown_WR.h"
#include "NUVSimKeyFrameController.h"
#include "NUVSimNegociatedTimeController.h"
#include "SimCountingAgents.h"

namespace {

typedef std::vector<std::string> Calls;
typedef NUVISimControllerNegociatedTime NT;

struct KeyFrameSide {
  typedef NUVSimKeyFrameController Controller;
  typedef SimCountingKeyFrameAgent Agent;
  static long Frames(Controller* c, double start, double end, double step) {
    return c->SetKeyFrames(start, end, step);
  }
  static Calls Begin() { return {"Init", "Activate"}; }
};

struct NegociatedTimeSide {
  typedef NUVSimNegociatedTimeController Controller;
  typedef SimCountingNegociatedTimeAgent Agent;
  static long Frames(Controller* c, double start, double end, double step) {
    long rc = c->SetStartEnd(start, end);
    return rc != S_OK ? rc : c->SetDefaultStep(step);
  }
  static Calls Begin() { return {"Init", "ReInit 0", "Activate"}; }
};

}  // namespace

template <class Side>
class SimController : public ::testing::Test {
 protected:
  typedef typename Side::Controller Controller;
  typedef typename Side::Agent Agent;
  typedef typename Controller::AgentVar AgentVar;

  void SetUp() override {
    controller = new Controller;
    agent = new Agent(&log, "A");
  }
  void TearDown() override {
    if (controller) {
      Detach();
      controller->Release();
    }
    if (agent) agent->Release();
    EXPECT_EQ(Agent::liveCount, 0) << "an agent leaked";
  }
  void Attach(NUVBaseUnknown* a) {
    AgentVar handle(a);
    ASSERT_EQ(controller->SetControlledAgent(handle), S_OK);
  }
  long Detach() {
    AgentVar none;
    return controller->SetControlledAgent(none);
  }
  bool CanContinue() {
    unsigned char more = 1;
    return controller->CanContinue(more) == S_OK && more != 0;
  }
  int PlayAll(int bound = 100) {
    int n = 0;
    for (; CanContinue() && n < bound; ++n) EXPECT_EQ(controller->Iterate(), S_OK);
    return n;
  }
  // The values agent A was set to.
  Calls Sets() {
    Calls out;
    for (const std::string& c : log.Of("A"))
      if (c.compare(0, 4, "Set ") == 0) out.push_back(c.substr(4));
    return out;
  }

  SimCallLog log;
  Controller* controller = nullptr;
  Agent* agent = nullptr;
};

typedef ::testing::Types<KeyFrameSide, NegociatedTimeSide> Sides;
TYPED_TEST_SUITE(SimController, Sides);

TYPED_TEST(SimController, PlaysEveryStepThenEndsPlayAndRewindReplays) {
  EXPECT_EQ(this->controller->Iterate(), E_FAIL) << "no controlled agent";
  EXPECT_FALSE(this->CanContinue());
  ASSERT_EQ(TypeParam::Frames(this->controller, 0.0, 1.0, 0.5), S_OK);
  this->Attach(this->agent);
  EXPECT_EQ(this->log.Of("A"), (Calls{"Attach"})) << "attaching hands the controller over";
  EXPECT_EQ(this->PlayAll(), 3);
  EXPECT_EQ(this->Sets(), (Calls{"0", "0.5", "1"}));
  Calls calls = this->log.Of("A"), begin = TypeParam::Begin();
  EXPECT_EQ(Calls(calls.begin() + 1, calls.begin() + 1 + begin.size()), begin);
  EXPECT_EQ(Calls(calls.end() - 2, calls.end()), (Calls{"Deactivate", "Clean"}));
  this->log.Clear();
  EXPECT_EQ(this->controller->Iterate(), S_FALSE);
  EXPECT_TRUE(this->log.calls.empty()) << "nothing is played once play is over";

  this->controller->Rewind();
  this->controller->Iterate();
  this->log.Clear();
  ASSERT_EQ(this->controller->Rewind(), S_OK);
  EXPECT_EQ(this->log.Of("A"), (Calls{"Deactivate", "Clean", "Attach"})) << "rewound mid-play";
  this->log.Clear();
  ASSERT_EQ(this->controller->Rewind(), S_OK);
  EXPECT_TRUE(this->log.calls.empty()) << "a controller that never played does not re-attach";
  this->controller->Stop();
  EXPECT_FALSE(this->CanContinue());
  EXPECT_EQ(this->controller->Iterate(), S_FALSE);
  EXPECT_TRUE(this->log.calls.empty()) << "Stop before play makes no lifecycle calls";
}

TYPED_TEST(SimController, RefusesBadRangesAndChangesDuringPlay) {
  for (double step : {0.0, -0.1})
    EXPECT_EQ(TypeParam::Frames(this->controller, 0, 1, step), E_INVALIDARG);
  EXPECT_EQ(TypeParam::Frames(this->controller, 1.0, 0.0, 0.1), E_INVALIDARG) << "end before start";
  this->Attach(this->agent);
  ASSERT_EQ(TypeParam::Frames(this->controller, 0.0, 1.0, 0.5), S_OK);
  EXPECT_EQ(this->controller->Iterate(), S_OK);
  EXPECT_EQ(TypeParam::Frames(this->controller, 0.0, 2.0, 0.5), E_UNEXPECTED) << "fixed in play";
}

TYPED_TEST(SimController, LoopStatusThreeStopsPlayAfterThatStep) {
  TypeParam::Frames(this->controller, 0.0, 10.0, 1.0);
  this->agent->status = SimLoopStop;
  this->agent->statusFromStep = 2;
  this->Attach(this->agent);
  EXPECT_EQ(this->PlayAll(), 2);
  EXPECT_EQ(this->log.Of("A").back(), "Clean");
}

TYPED_TEST(SimController, CallsFromInsideAnIterationAreRefusedOrDeferred) {
  TypeParam::Frames(this->controller, 0.0, 5.0, 1.0);
  long reentrant = 0, replaced = 0, rewound = 0;
  this->agent->onCommit = [&] {
    reentrant = this->controller->Iterate();
    replaced = this->Detach();
    rewound = this->controller->Rewind();
    if (this->agent->steps == 2) this->controller->Stop();
  };
  this->Attach(this->agent);
  EXPECT_EQ(this->PlayAll(), 2) << "Stop inside Commit ends play after that step";
  EXPECT_EQ(reentrant, E_UNEXPECTED);
  EXPECT_EQ(replaced, E_UNEXPECTED);
  EXPECT_EQ(rewound, E_UNEXPECTED);
  EXPECT_EQ(this->Sets(), (Calls{"0", "1"}));
  Calls calls = this->log.Of("A");
  EXPECT_EQ(Calls(calls.end() - 3, calls.end()), (Calls{"Loop", "Deactivate", "Clean"}))
      << "the stopped step still finishes";
}

TYPED_TEST(SimController, ReplacingOrDetachingTheAgentEndsItsPlayAndGivesReferencesBack) {
  TypeParam::Frames(this->controller, 0.0, 1.0, 0.5);
  unsigned long agentRefs = this->agent->GetRefCount();
  unsigned long controllerRefs = this->controller->GetRefCount();
  auto* other = new typename TypeParam::Agent(&this->log, "B");
  this->Attach(this->agent);
  EXPECT_EQ(this->agent->GetRefCount(), agentRefs + 1);
  EXPECT_EQ(this->controller->GetRefCount(), controllerRefs + 1) << "the agent keeps it";
  this->controller->Iterate();
  this->log.Clear();
  this->Attach(other);
  EXPECT_EQ(this->log.Joined(), "A:Deactivate A:Clean A:Detach B:Attach");
  EXPECT_EQ(this->agent->GetRefCount(), agentRefs);
  this->controller->Iterate();
  ASSERT_EQ(this->Detach(), S_OK);
  EXPECT_EQ(this->log.Of("B").back(), "Detach");
  EXPECT_EQ(other->Release(), 0u);
  NUVBaseUnknown_WR weak(this->controller);
  this->controller->Release();
  this->controller = nullptr;
  EXPECT_FALSE(weak.IsAlive()) << "nothing keeps a detached controller alive";
}

TYPED_TEST(SimController, DestroyingAPlayingControllerEndsPlayAndDetaches) {
  TypeParam::Frames(this->controller, 0.0, 1.0, 0.5);
  unsigned long agentRefs = this->agent->GetRefCount();
  this->Attach(this->agent);
  this->controller->Iterate();
  this->agent->controller = nullptr;  // an agent that does not keep its controller
  this->log.Clear();
  this->controller->Release();
  this->controller = nullptr;
  EXPECT_EQ(this->log.Of("A"), (Calls{"Deactivate", "Clean", "Detach"}));
  EXPECT_EQ(this->agent->GetRefCount(), agentRefs);
}

// ---- key frames ----

class SimKeyFrameController : public SimController<KeyFrameSide> {};

TEST_F(SimKeyFrameController, GridFramesEndOnTheEndValueWithoutDrift) {
  ASSERT_EQ(controller->SetKeyFrames(0.0, 1.0, 0.3), S_OK);
  Attach(agent);
  EXPECT_EQ(PlayAll(), 5);
  EXPECT_EQ(Sets(), (Calls{"0", "0.3", "0.6", "0.9", "1"}));
  // Eleven frames of 0.1: an accumulated 0.9999... would add a twelfth.
  ASSERT_EQ(controller->SetKeyFrames(0.0, 1.0, 0.1), S_OK);
  ASSERT_EQ(controller->Rewind(), S_OK);
  EXPECT_EQ(PlayAll(), 11);
  EXPECT_EQ(agent->current.GetWholePart(), 1);
  EXPECT_EQ(agent->current.GetFinePart(), 0);
  ASSERT_EQ(controller->SetKeyFrames(2.0, 2.0, 0.5), S_OK);
  ASSERT_EQ(controller->Rewind(), S_OK);
  EXPECT_EQ(PlayAll(), 1) << "start and end coincide: one frame";

  NUVListValNUVSimValue frames;
  EXPECT_EQ(controller->SetKeyFrameList(frames), E_INVALIDARG) << "no frames";
  for (double v : {1.0, 0.5, 1.0, -2.0}) frames.Append(NUVSimValue(v));
  ASSERT_EQ(controller->SetKeyFrameList(frames), S_OK);
  ASSERT_EQ(controller->Rewind(), S_OK);
  log.Clear();
  EXPECT_EQ(PlayAll(), 3);
  EXPECT_EQ(Sets(), (Calls{"-2", "0.5", "1"})) << "explicit frames play ascending and once";
}

// ---- negotiated time ----

class SimNegociatedTimeController : public SimController<NegociatedTimeSide> {
 protected:
  int Status() {
    NUVSimValue value;
    int status = -1;
    return controller->GetCurrentValueAndStatus(value, status) == S_OK ? status : -1;
  }
  bool RunFinished() {
    unsigned char finished = 0;
    return controller->IsRunFinished(finished) == S_OK && finished != 0;
  }
};

TEST_F(SimNegociatedTimeController, AsksForAProposalBeforeEveryStepButTheFirst) {
  controller->SetStartEnd(0.0, 1.0);
  controller->SetDefaultStep(0.5);
  Attach(agent);
  controller->Iterate();
  EXPECT_EQ(Status(), NT::StatusProposedStep);
  log.Clear();
  controller->Iterate();
  EXPECT_EQ(log.Of("A"), (Calls{"Propose none", "Set 0.5", "Compute", "Commit", "Loop"}));
  EXPECT_EQ(Status(), NT::StatusDefaultStep) << "nobody proposed";
  controller->Iterate();
  EXPECT_EQ(Status(), NT::StatusEndReached);
  EXPECT_TRUE(RunFinished());
}

TEST_F(SimNegociatedTimeController, TakesAProposalAheadElseTheDefaultStepUpToTheEnd) {
  controller->SetStartEnd(0.0, 1.0);
  controller->SetDefaultStep(0.5);
  Attach(agent);
  auto play = [&](std::function<NUVSimValue(const NUVSimValue&)> propose) {
    agent->propose = propose;
    controller->Rewind();
    log.Clear();
    PlayAll();
    return Sets();
  };
  EXPECT_EQ(play([](const NUVSimValue& v) { return v + NUVSimValue(0.3); }),
            (Calls{"0", "0.3", "0.6", "0.9", "1"})) << "the last proposal is cut to the end";
  EXPECT_EQ(play([](const NUVSimValue&) { return NUVSimValue(-1.0); }), (Calls{"0", "0.5", "1"}))
      << "-1.0 is no proposal: the default step";
  EXPECT_EQ(log.Of("A")[1], "ReInit 1") << "after Rewind the agent re-initialises for a replay";
  EXPECT_EQ(play([](const NUVSimValue& v) { return v; }), (Calls{"0", "0.5", "1"})) << "not ahead";
  ASSERT_EQ(controller->SetStartEnd(0.0, NUVSimValue::DblMax), S_OK);
  EXPECT_EQ(play([](const NUVSimValue&) { return NUVSimValue(NUVSimValue::DblMax); }).size(), 2u)
      << "the greatest value as proposal and end: reached, then over";
  NUVSimValue current;
  controller->GetCurrentSimValue(current);
  EXPECT_TRUE(current.IsPositiveInfinity());
}

TEST_F(SimNegociatedTimeController, RunsEndAfterTheIterationsPerRunOrOnLoopStatusTwo) {
  Attach(agent);
  controller->SetStartEnd(0.0, 100.0);
  controller->SetDefaultStep(1.0);
  EXPECT_EQ(controller->SetIterationsPerRun(0), E_INVALIDARG);
  ASSERT_EQ(controller->SetIterationsPerRun(3), S_OK);
  agent->status = SimLoopEndOfRun;
  agent->statusFromStep = 5;
  std::vector<bool> finished;
  for (int i = 0; i < 7; ++i) {
    controller->Iterate();
    finished.push_back(RunFinished());
  }
  EXPECT_EQ(finished, (std::vector<bool>{false, false, true, false, true, true, true}));
  EXPECT_EQ(Status(), NT::StatusEndOfRun);
  EXPECT_TRUE(CanContinue()) << "play goes on after the end of a run";
}
