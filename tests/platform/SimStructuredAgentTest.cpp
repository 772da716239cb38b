#include <gtest/gtest.h>

#include "NUVDictionary.h"
#include "NUVISimStructuredAgentKeyFrameMgt.h"
#include "NUVISimStructuredAgentNegociatedTimeMgt.h"
#include "NUVSimKeyFrameController.h"
#include "NUVSimNegociatedTimeController.h"
#include "NUVSimProbesStructuredAgentKeyFrame.h"
#include "NUVSimProbesStructuredAgentNegociatedTime.h"
#include "SimCountingAgents.h"

namespace {
typedef std::vector<std::string> Calls;
}

class SimStructuredAgentKeyFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    structured = new NUVSimProbesStructuredAgentKeyFrame;
    a = new SimCountingKeyFrameAgent(&log, "A");
    b = new SimCountingKeyFrameAgent(&log, "B");
    controller = new NUVSimKeyFrameController;
    controller->SetKeyFrames(0.0, 1.0, 0.5);
  }
  void TearDown() override {
    NUVISimAgentKeyFrame_var none;
    controller->SetControlledAgent(none);
    controller->Release();
    structured->Release();
    a->Release();
    b->Release();
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

  SimCallLog log;
  NUVSimProbesStructuredAgentKeyFrame* structured;
  SimCountingKeyFrameAgent* a;
  SimCountingKeyFrameAgent* b;
  NUVSimKeyFrameController* controller;
};

TEST_F(SimStructuredAgentKeyFrame, DrivesMembersInOrderOperationByOperation) {
  Add(a);
  Add(b);
  Drive();
  controller->Iterate();
  EXPECT_EQ(log.Joined(),
            "A:Attach B:Attach A:Init B:Init A:Activate B:Activate A:Set 0 B:Set 0 A:Compute "
            "B:Compute A:Commit B:Commit A:Loop B:Loop");
  NUVISimControllerKeyFrame_var held;
  a->GetSimulationController(held);
  EXPECT_TRUE(held == NUVISimControllerKeyFrame_var(controller))
      << "members get the real controller, not the structured agent";
  structured->GetSimulationController(held);
  EXPECT_TRUE(held == NUVISimControllerKeyFrame_var(controller));

  b->status = SimLoopStop;
  b->statusFromStep = 1;
  controller->Iterate();
  SimLoopStatus status = SimLoopUnset;
  structured->GetLoopStatus(status);
  EXPECT_EQ(status, SimLoopStop) << "the largest status of the members";
  unsigned char more = 1;
  controller->CanContinue(more);
  EXPECT_EQ(more, 0) << "one member answering 3 stops the whole play";
}

TEST_F(SimStructuredAgentKeyFrame, DisabledMembersMissStepsButNotTheLifecycle) {
  Add(a);
  Add(b);
  b->enabled = 0;
  Drive();
  while (controller->Iterate() == S_OK) {
  }
  EXPECT_EQ(log.Of("B"), (Calls{"Attach", "Init", "Activate", "Deactivate", "Clean"}));
  EXPECT_EQ(a->steps, 3);
}

TEST_F(SimStructuredAgentKeyFrame, MembersByNameListAndDuplicates) {
  EXPECT_EQ(Add(a), S_OK);
  EXPECT_EQ(Add(b), S_OK);
  EXPECT_EQ(Add(a), S_OK) << "the same agent may be a member twice";
  NUVISimAgentKeyFrame_var none;
  EXPECT_EQ(structured->AddMember(none), E_INVALIDARG);
  EXPECT_EQ(structured->CountMembers(), 3);

  NUVListValNUVISimAgentKeyFrame_var members;
  structured->GetMembers(members);
  ASSERT_EQ(members.Size(), 3);
  EXPECT_EQ(members.Locate(NUVISimAgentKeyFrame_var(b)), 2);
  EXPECT_EQ(members.Locate(NUVISimAgentKeyFrame_var(a), 2), 3);

  NUVISimAgentKeyFrame_var found;
  EXPECT_EQ(structured->GetMember("SimCountingKeyFrameAgent", found), S_OK);
  EXPECT_TRUE(found == NUVISimAgentKeyFrame_var(a)) << "the first member of that class name";
  NUVISimAgentKeyFrame_var missing;
  EXPECT_EQ(structured->GetMember("NoSuchAgent", missing), S_FALSE);
  EXPECT_FALSE(missing);

  Drive();
  log.Clear();
  EXPECT_EQ(Remove(a), S_OK);
  EXPECT_TRUE(log.Of("A").empty()) << "still a member once: keeps its controller";
  EXPECT_EQ(Remove(a), S_OK);
  EXPECT_EQ(log.Of("A"), (Calls{"Detach"}));
  EXPECT_EQ(Remove(a), S_FALSE);
  EXPECT_EQ(structured->CountMembers(), 1);
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

  // Leaving during play ends the member's part of it.
  log.Clear();
  Remove(b);
  EXPECT_EQ(log.Of("B"), (Calls{"Deactivate", "Clean", "Detach"}));
  controller->Iterate();
  EXPECT_EQ(b->steps, 1);
}

TEST_F(SimStructuredAgentKeyFrame, AMemberMayRemoveAnotherDuringAStep) {
  Add(a);
  Add(b);
  a->onCommit = [&] {
    if (a->steps == 1) Remove(b);
  };
  Drive();
  while (controller->Iterate() == S_OK) {
  }
  EXPECT_EQ(a->steps, 3);
  EXPECT_EQ(b->steps, 1) << "the step under way still reaches it, later ones do not";
  EXPECT_EQ(structured->CountMembers(), 1);
}

TEST_F(SimStructuredAgentKeyFrame, ReferencesOfMembersReturnWhenTheStructuredAgentGoes) {
  unsigned long aRefs = a->GetRefCount(), bRefs = b->GetRefCount();
  Add(a);
  Add(b);
  Add(b);
  EXPECT_EQ(b->GetRefCount(), bRefs + 2);
  structured->RemoveAllMembers();
  EXPECT_EQ(a->GetRefCount(), aRefs);
  EXPECT_EQ(b->GetRefCount(), bRefs);

  Add(a);
  Drive();
  controller->Iterate();
  NUVISimAgentKeyFrame_var none;
  controller->SetControlledAgent(none);
  structured->Release();
  structured = new NUVSimProbesStructuredAgentKeyFrame;
  EXPECT_EQ(a->GetRefCount(), aRefs) << "neither the member nor its controller handle leaked";
}

TEST(SimStructuredAgentNegociatedTime, ProposesTheSmallestValueAheadAndForwardsEverything) {
  SimCallLog log;
  auto* structured = new NUVSimProbesStructuredAgentNegociatedTime;
  auto* a = new SimCountingNegociatedTimeAgent(&log, "A");
  auto* b = new SimCountingNegociatedTimeAgent(&log, "B");
  auto* c = new SimCountingNegociatedTimeAgent(&log, "C");
  {
    NUVISimAgentNegociatedTime_var ha(a), hb(b), hc(c);
    structured->AddMember(ha);
    structured->AddMember(hb);
    structured->AddMember(hc);
  }
  structured->SetCurrentSimValue(1.0);
  a->propose = [](const NUVSimValue&) { return NUVSimValue(0.5); };  // behind: ignored
  b->propose = [](const NUVSimValue&) { return NUVSimValue(-1.0); };  // none
  c->propose = [](const NUVSimValue&) { return NUVSimValue(3.0); };
  NUVSimValue proposal;
  structured->GetNextProposedValue(proposal);
  EXPECT_EQ(proposal, NUVSimValue(3.0));
  a->propose = [](const NUVSimValue&) { return NUVSimValue(2.0); };
  structured->GetNextProposedValue(proposal);
  EXPECT_EQ(proposal, NUVSimValue(2.0));
  c->enabled = 0;
  a->propose = nullptr;  // writes nothing
  structured->GetNextProposedValue(proposal);
  EXPECT_EQ(proposal, NUVSimValue(-1.0)) << "nobody ahead: no value";
  EXPECT_EQ(log.Of("C").back(), "Propose 3") << "a disabled member is not asked";

  b->computeStatus = SimComputeFailed;
  SimComputeStatus compute = SimComputeOK;
  structured->GetComputeStatus(compute);
  EXPECT_EQ(compute, SimComputeFailed);

  log.Clear();
  structured->Reset();
  structured->ComputeNextIteration(1);
  structured->ReInitData(SimReInitRewind);
  EXPECT_EQ(log.Joined(), "A:Reset B:Reset A:Next 1 B:Next 1 A:ReInit 1 B:ReInit 1 C:ReInit 1");

  SimAgentType type = SimAgentTypeCompute;
  structured->GetNTType(type);
  EXPECT_EQ(type & SimAgentTypeObserve, 0) << "a structured agent is not picked as an observer";

  // A member joining a running play also gets the play's re-initialisation.
  structured->Init();
  structured->Activate();
  auto* late = new SimCountingNegociatedTimeAgent(&log, "D");
  NUVISimAgentNegociatedTime_var hd(late);
  structured->AddMember(hd);
  structured->MembersChanged(1);
  EXPECT_EQ(log.Of("D"), (Calls{"Init", "ReInit 1", "Activate"}));
  hd = nullptr;

  unsigned long aRefs = a->GetRefCount();
  structured->Release();
  EXPECT_EQ(a->GetRefCount(), aRefs - 1);
  a->Release();
  b->Release();
  c->Release();
  late->Release();
  EXPECT_EQ(SimCountingNegociatedTimeAgent::liveCount, 0);
}

TEST(SimEngineComponents, AreCreatedByNameWithTheirInterfaces) {
  void* out = nullptr;
  ASSERT_EQ(NUVInstantiateComponent("NUVSimProbesStructuredAgentKF", IID_NUVISimAgentKeyFrame, &out),
            S_OK);
  NUVISimAgentKeyFrame_var kf;
  kf.Attach(static_cast<NUVISimAgentKeyFrame*>(static_cast<NUVBaseUnknown*>(out)));
  NUVISimStructuredAgentKeyFrameMgt_var kfMgt(kf);
  ASSERT_TRUE(!!kfMgt);
  NUVISimStructuredAgentKeyFrameMgt_var again(kf);
  EXPECT_EQ(kfMgt.get(), again.get()) << "one TIE per object and interface";
  EXPECT_EQ(kfMgt->GetImpl(), kf.get());
  EXPECT_TRUE(kf->IsA("NUVSimProbesStructuredAgentKeyFrame"));

  out = nullptr;
  ASSERT_EQ(NUVInstantiateComponent("NUVSimProbesStructuredAgentNT", IID_NUVISimAgentNegociatedTime,
                                    &out),
            S_OK);
  NUVISimAgentNegociatedTime_var nt;
  nt.Attach(static_cast<NUVISimAgentNegociatedTime*>(static_cast<NUVBaseUnknown*>(out)));
  NUVISimStructuredAgentNegociatedTimeMgt_var ntMgt(nt);
  ASSERT_TRUE(!!ntMgt);
  EXPECT_TRUE(nt->IsA("NUVSimProbesStructuredAgentNegociatedTime"));
  // The management interface leads back to the agent interface.
  NUVISimAgentNegociatedTime_var back(ntMgt);
  EXPECT_EQ(back.get(), nt.get());
  NUVISimAgentKeyFrame_var wrongKind(nt);
  EXPECT_FALSE(wrongKind);

}
