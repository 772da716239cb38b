// The engine's structured agents: members driven in order, joining and
// leaving plays, references, and what the negotiated-time one adds.
#include <gtest/gtest.h>

#include "NUVSimKeyFrameController.h"
#include "NUVSimProbesStructuredAgentKeyFrame.h"
#include "NUVSimProbesStructuredAgentNegociatedTime.h"
#include "SimCountingAgents.h"

namespace {
typedef std::vector<std::string> Calls;
}

class SimStructuredAgentKeyFrame : public ::testing::Test {
 protected:
  void SetUp() override { controller->SetKeyFrames(0.0, 1.0, 0.5); }
  void TearDown() override {
    NUVISimAgentKeyFrame_var none;
    controller->SetControlledAgent(none);
    for (NUVBaseUnknown* o : {static_cast<NUVBaseUnknown*>(controller),
                              static_cast<NUVBaseUnknown*>(structured),
                              static_cast<NUVBaseUnknown*>(a), static_cast<NUVBaseUnknown*>(b)})
      o->Release();
    EXPECT_EQ(SimCountingKeyFrameAgent::liveCount, 0) << "an agent leaked";
  }
  long Add(SimCountingKeyFrameAgent* agent) {
    NUVISimAgentKeyFrame_var h(agent);
    return structured->AddMember(h);
  }
  long Remove(SimCountingKeyFrameAgent* agent) {
    NUVISimAgentKeyFrame_var h(agent);
    return structured->RemoveMember(h);
  }
  void Drive() {
    NUVISimAgentKeyFrame_var h(structured);
    controller->SetControlledAgent(h);
  }
  void PlayAll() {
    while (controller->Iterate() == S_OK) {
    }
  }

  SimCallLog log;
  NUVSimProbesStructuredAgentKeyFrame* structured = new NUVSimProbesStructuredAgentKeyFrame;
  SimCountingKeyFrameAgent* a = new SimCountingKeyFrameAgent(&log, "A");
  SimCountingKeyFrameAgent* b = new SimCountingKeyFrameAgent(&log, "B");
  NUVSimKeyFrameController* controller = new NUVSimKeyFrameController;
};

TEST_F(SimStructuredAgentKeyFrame, DrivesMembersInOrderAndStopsOnTheLargestLoopStatus) {
  Add(a);
  Add(b);
  Drive();
  controller->Iterate();
  EXPECT_EQ(log.Joined(),
            "A:Attach B:Attach A:Init B:Init A:Activate B:Activate A:Set 0 B:Set 0 A:Compute "
            "B:Compute A:Commit B:Commit A:Loop B:Loop");
  EXPECT_EQ(a->controller.get(), static_cast<NUVISimControllerKeyFrame*>(controller))
      << "members get the real controller, not the structured agent";
  b->status = SimLoopStop;
  controller->Iterate();
  unsigned char more = 1;
  controller->CanContinue(more);
  EXPECT_EQ(more, 0) << "one member answering 3 stops the whole play";
}

TEST_F(SimStructuredAgentKeyFrame, DisabledOrRemovedMembersMissLaterStepsButNotTheLifecycle) {
  Add(a);
  Add(b);
  b->enabled = 0;
  Drive();
  PlayAll();
  EXPECT_EQ(log.Of("B"), (Calls{"Attach", "Init", "Activate", "Deactivate", "Clean"}));
  EXPECT_EQ(a->steps, 3);

  b->enabled = 1;
  a->onCommit = [&] {
    if (a->steps == 4) Remove(b);
  };
  controller->Rewind();
  PlayAll();
  EXPECT_EQ(b->steps, 1) << "the step under way still reaches it, later ones do not";
  EXPECT_EQ(structured->CountMembers(), 1);
}

TEST_F(SimStructuredAgentKeyFrame, MembersMayRepeatAndGiveTheirReferencesBack) {
  unsigned long aRefs = a->GetRefCount(), bRefs = b->GetRefCount();
  EXPECT_EQ(Add(a), S_OK);
  EXPECT_EQ(Add(b), S_OK);
  EXPECT_EQ(Add(a), S_OK) << "the same agent may be a member twice";
  EXPECT_EQ(a->GetRefCount(), aRefs + 2);
  NUVISimAgentKeyFrame_var none;
  EXPECT_EQ(structured->AddMember(none), E_INVALIDARG);
  EXPECT_EQ(structured->GetMember("NoSuchAgent", none), S_FALSE);

  Drive();
  controller->Iterate();
  log.Clear();
  EXPECT_EQ(Remove(a), S_OK);
  EXPECT_EQ(log.Of("A"), (Calls{"Deactivate", "Clean"})) << "still a member once: not detached";
  log.Clear();
  EXPECT_EQ(Remove(a), S_OK);
  EXPECT_EQ(log.Of("A"), (Calls{"Deactivate", "Clean", "Detach"}));
  EXPECT_EQ(Remove(a), S_FALSE);
  EXPECT_EQ(a->GetRefCount(), aRefs);
  controller->SetControlledAgent(none);
  structured->Release();
  structured = new NUVSimProbesStructuredAgentKeyFrame;
  EXPECT_EQ(b->GetRefCount(), bRefs) << "neither the member nor its controller handle leaked";
}

TEST_F(SimStructuredAgentKeyFrame, MembersJoinARunningPlayOnlyWhenRefreshed) {
  Add(a);
  Drive();
  controller->SetKeyFrames(0.0, 10.0, 1.0);
  controller->Iterate();
  log.Clear();
  Add(b);
  structured->MembersChanged(0);
  controller->Iterate();
  EXPECT_EQ(log.Of("B"), (Calls{"Attach"})) << "not refreshed: waits for the next play";
  structured->MembersChanged(1);
  EXPECT_EQ(log.Of("B"), (Calls{"Attach", "Init", "Activate"}));
  controller->Iterate();
  EXPECT_EQ(b->steps, 1);
}

TEST(SimStructuredAgentNegociatedTime, ProposesTheSmallestValueAheadAndForwardsEverything) {
  SimCallLog log;
  auto* structured = new NUVSimProbesStructuredAgentNegociatedTime;
  std::vector<SimCountingNegociatedTimeAgent*> m;
  for (const char* tag : {"A", "B", "C"}) {
    m.push_back(new SimCountingNegociatedTimeAgent(&log, tag));
    NUVISimAgentNegociatedTime_var h(m.back());
    structured->AddMember(h);
  }
  structured->SetCurrentSimValue(1.0);
  m[0]->propose = [](const NUVSimValue&) { return NUVSimValue(0.5); };   // behind: ignored
  m[1]->propose = [](const NUVSimValue&) { return NUVSimValue(-1.0); };  // none
  m[2]->propose = [](const NUVSimValue&) { return NUVSimValue(3.0); };
  NUVSimValue proposal;
  structured->GetNextProposedValue(proposal);
  EXPECT_EQ(proposal, NUVSimValue(3.0));
  m[0]->propose = [](const NUVSimValue&) { return NUVSimValue(2.0); };
  structured->GetNextProposedValue(proposal);
  EXPECT_EQ(proposal, NUVSimValue(2.0));
  m[2]->enabled = 0;
  m[0]->propose = nullptr;  // writes nothing
  structured->GetNextProposedValue(proposal);
  EXPECT_EQ(proposal, NUVSimValue(-1.0)) << "nobody ahead: no value";
  EXPECT_EQ(log.Of("C").back(), "Propose 3") << "a disabled member is not asked";

  log.Clear();
  structured->Reset();
  structured->ComputeNextIteration(1);
  structured->ReInitData(SimReInitRewind);
  EXPECT_EQ(log.Joined(), "A:Reset B:Reset A:Next 1 B:Next 1 A:ReInit 1 B:ReInit 1 C:ReInit 1");
  SimAgentType type = SimAgentTypeCompute;
  structured->GetNTType(type);
  EXPECT_EQ(type & SimAgentTypeObserve, 0) << "a structured agent is not picked as an observer";

  structured->Init();
  structured->Activate();
  m.push_back(new SimCountingNegociatedTimeAgent(&log, "D"));
  NUVISimAgentNegociatedTime_var late(m.back());
  structured->AddMember(late);
  structured->MembersChanged(1);
  EXPECT_EQ(log.Of("D"), (Calls{"Init", "ReInit 1", "Activate"})) << "late: given the last reason";
  late = nullptr;
  structured->Release();
  for (auto* agent : m) EXPECT_EQ(agent->Release(), 0u) << "the structured agent let it go";
}
