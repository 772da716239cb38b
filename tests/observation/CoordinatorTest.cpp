#include "FakeControllers.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVSimNotification.h"
#include "NUVSimWindowServices.h"
#include "ObservationFixture.h"

TEST_F(ObservationTest, OneCoordinatorPerContextAndNoneAfterReset) {
  NUVBaseUnknown_var editor(scene.Editor()), other(scene.AddEditor());
  EXPECT_EQ(NUVSimMasterObservationAgentList::GetInstance(editor, 0), nullptr);
  auto* first = NUVSimMasterObservationAgentList::GetInstance(editor, 1);
  EXPECT_EQ(NUVSimMasterObservationAgentList::GetInstance(editor, 1), first);
  EXPECT_NE(NUVSimMasterObservationAgentList::GetInstance(other, 1), first);
  EXPECT_NE(first, coordinator);
  NUVSimMasterObservationAgentList::ResetInstance(editor);
  EXPECT_EQ(NUVSimMasterObservationAgentList::GetInstance(editor, 0), nullptr);
  EXPECT_EQ(NUVSimMasterObservation::Count(), 2);
}

// Closing another editor leaves the coordinator; closing its own resets the
// context from inside the coordinator's callback, which destroys it there.
TEST_F(ObservationTest, EditorClosingResetsFromInsideTheCallback) {
  NUVFrmEditor* watched = scene.AddEditor();
  NUVBaseUnknown_var context(watched);
  auto* c = NUVSimMasterObservationAgentList::GetInstance(context, 1);
  c->SetEditor(watched);
  c->SetEditor(scene.Editor());  // subscribed already: changes nothing
  EXPECT_EQ(scene.Layout()->GetCallbackManager()->CountCallbacks(NUVFrmEditor::EDITOR_CLOSE_ENDED()), 1);
  scene.AddEditor()->Close(scene.Layout());
  EXPECT_EQ(NUVSimMasterObservationAgentList::GetInstance(context, 0), c);
  watched->Close(scene.Layout());
  EXPECT_EQ(NUVSimMasterObservationAgentList::GetInstance(context, 0), nullptr);
  EXPECT_EQ(scene.Layout()->GetCallbackManager()->CountCallbacks(NUVFrmEditor::EDITOR_CLOSE_ENDED()), 0);
}

TEST_F(ObservationTest, RegistrationKeepsOrderAndDuplicatesAndRefreshesOnlyTheKeyFrameAgent) {
  NUVBaseUnknown_var entity(new NUVSimNotification);
  entity->Release();
  coordinator->AddObservableEntity(entity);
  log.Clear();
  NUVISimAgentKeyFrame_var a = Agent("a"), b = Agent("b");
  ASSERT_EQ(coordinator->AddAgent(a, 1, 0), S_OK);
  ASSERT_EQ(coordinator->AddAgent(b, 0, 1), S_OK);
  ASSERT_EQ(coordinator->AddAgent(a, 1, 0), S_OK);
  EXPECT_EQ(log.Joined(),
            "a:Switch 0 a:Context set KF:MembersChanged 0 NT:MembersChanged 0 a:AddEntity a:Sync set "
            "b:Switch 1 b:Context set KF:MembersChanged 1 NT:MembersChanged 0 b:AddEntity b:Sync set "
            "a:Switch 0 a:Context set KF:MembersChanged 0 NT:MembersChanged 0 a:AddEntity a:Sync set");
  NUVISimAgentKeyFrame_var mainKF;
  coordinator->GetMainAgent(mainKF);
  NUVListValNUVISimAgentKeyFrame_var members;
  NUVISimStructuredAgentKeyFrameMgt_var(mainKF.get())->GetMembers(members);
  ASSERT_EQ(members.Size(), 3);
  EXPECT_EQ(members[1].get()->GetImpl(), a->GetImpl());
  EXPECT_EQ(members[2].get()->GetImpl(), b->GetImpl());
  EXPECT_EQ(members[3].get()->GetImpl(), a->GetImpl());
  unsigned char flag = 9;
  coordinator->IsAgentInteractive(a, flag);
  EXPECT_EQ(flag, 0);
  coordinator->IsAgentInteractive(b, flag);
  EXPECT_EQ(flag, 1);
  NUVISimAgentNegociatedTime_var bNT(b.get());
  coordinator->IsAgentThere(bNT, flag);
  EXPECT_EQ(flag, 1);
  log.Clear();
  EXPECT_EQ(coordinator->RemoveAgent(b), S_OK);
  EXPECT_EQ(log.Joined(), "KF:MembersChanged 0 NT:MembersChanged 0 b:RemoveEntity b:Sync null");
  coordinator->IsAgentThere(b, flag);
  EXPECT_EQ(flag, 0);
}

TEST_F(ObservationTest, BadAgentsAndNamesAreRefusedAndChangeNothing) {
  NUVISimAgentKeyFrame_var none, kfOnly = Agent("k");
  static_cast<FakeObservedAgent*>(kfOnly->GetImpl())->withheld.insert("NUVISimAgentNegociatedTime");
  auto* ntOnlyAgent = new FakeObservedAgent(&log, "n");
  ntOnlyAgent->withheld.insert("NUVISimAgentKeyFrame");
  NUVISimAgentNegociatedTime_var ntOnly(ntOnlyAgent), noNT;
  ntOnlyAgent->Release();
  EXPECT_EQ(coordinator->AddAgent(none, 0, 0), E_FAIL);
  EXPECT_EQ(coordinator->AddAgent(kfOnly, 0, 0), E_FAIL);
  EXPECT_EQ(coordinator->AddAgent(ntOnly, 0, 0), E_FAIL);
  EXPECT_EQ(coordinator->AddAgent(noNT, 0, 0), E_FAIL);
  EXPECT_EQ(coordinator->RemoveAgent(none), E_FAIL);
  EXPECT_EQ(coordinator->RemoveAgent(kfOnly), E_FAIL);
  EXPECT_EQ(coordinator->RemoveAgent(ntOnly), E_FAIL);
  EXPECT_EQ(coordinator->RemoveAgent(NUVString("NoSuchAgent")), E_FAIL);
  NUVISimAgentKeyFrame_var out = kfOnly;
  EXPECT_LT(coordinator->AddAgent(NUVString("NoSuchComponent"), out, 0, 0), 0);
  EXPECT_EQ(out.get(), kfOnly.get());
  unsigned char there = 1;
  EXPECT_EQ(coordinator->IsAgentThere(none, there), S_OK);
  EXPECT_EQ(there, 0);
  EXPECT_EQ(log.Joined(), "") << "a refused agent must not reach the structured agents";
  EXPECT_EQ(ViewerSubscriptions(), 0);
}

TEST_F(ObservationTest, ViewerSubscriptionFollowsFirstAndLastInteractiveAgent) {
  NUVISimAgentKeyFrame_var sim = Agent("s"), one = Agent("1"), two = Agent("2");
  coordinator->RequestObservations();  // no subscription: no request
  coordinator->AddAgent(sim, 1, 0);
  EXPECT_EQ(ViewerSubscriptions(), 0);
  coordinator->AddAgent(one, 0, 0);
  coordinator->AddAgent(two, 0, 0);
  EXPECT_EQ(ViewerSubscriptions(), 1);
  viewer->DispatchViewerUpdate();
  EXPECT_EQ(Calls("Compute"), "") << "the request made without a subscription was dropped";
  coordinator->RemoveViewerCallback(1);
  coordinator->RemoveAgent(one);
  EXPECT_EQ(ViewerSubscriptions(), 1);
  coordinator->RemoveAgent(two);
  EXPECT_EQ(ViewerSubscriptions(), 0);
  coordinator->AddAgent(one, 0, 0);
  coordinator->RemoveViewerCallback(0);
  EXPECT_EQ(ViewerSubscriptions(), 0);
}

// Rows of the observation decision: which agents compute and commit at the
// viewer update after a request, for each mode.
TEST_F(ObservationTest, ObservationModeDecidesWhoIsObserved) {
  FakeObservedAgent *needs, *quiet, *plain, *off, *mute;
  NUVISimAgentKeyFrame_var i1 = Agent("needs", "FakeObservedAgent", &needs),
                           i2 = Agent("quiet", "FakeObservedAgent", &quiet),
                           i3 = Agent("plain", "FakeObservedAgent", &plain),
                           i4 = Agent("off", "FakeObservedAgent", &off),
                           i5 = Agent("mute", "FakeObservedAgent", &mute);
  needs->needed = off->needed = mute->needed = 1;
  plain->withheld.insert("NUVISimAgentObserver");
  off->enabled = 0;
  mute->answersEnabled = false;
  for (auto* agent : {&i1, &i2, &i3, &i4, &i5}) coordinator->AddAgent(*agent, 0, 1);
  // Candidates driven by both controllers: only "pick" qualifies, and the
  // negotiated-time side lists it a second time.
  FakeObservedAgent *pick, *low, *redraw, *silent;
  NUVISimAgentKeyFrame_var m1 = Agent("pick", "FakeObservedAgent", &pick),
                           m2 = Agent("low", "FakeObservedAgent", &low),
                           m3 = Agent("redraw", "NUVSimAgentRefreshCompass", &redraw),
                           m4 = Agent("silent", "FakeObservedAgent", &silent);
  pick->type = redraw->type = 6;
  silent->answersType = false;
  NUVISimAgentKeyFrame_var drivenKF(new NUVSimProbesStructuredAgentKeyFrame);
  drivenKF->Release();
  NUVISimAgentNegociatedTime_var drivenNT(new NUVSimProbesStructuredAgentNegociatedTime);
  drivenNT->Release();
  for (auto* m : {&m1, &m2, &m3, &m4}) NUVISimStructuredAgentKeyFrameMgt_var(drivenKF.get())->AddMember(*m);
  NUVISimAgentNegociatedTime_var m1NT(m1.get());
  NUVISimStructuredAgentNegociatedTimeMgt_var(drivenNT.get())->AddMember(m1NT);
  auto* kfController = new FakeKeyFrameController;
  auto* ntController = new FakeNegociatedTimeController;
  NUVISimControllerKeyFrame_var kfc(kfController);
  NUVISimControllerNegociatedTime_var ntc(ntController);
  kfController->Release();
  ntController->Release();
  kfController->controlled = drivenKF;
  ntController->controlled = drivenNT;
  NUVISimAgentKeyFrame_var mainKF;
  NUVISimAgentNegociatedTime_var mainNT;
  coordinator->GetMainAgent(mainKF);
  coordinator->GetMainAgent(mainNT);
  mainKF->SetSimulationController(kfc, 1);
  mainNT->SetSimulationController(ntc, 1);
  NUVISimAgentKeyFrame_var dynamic = Agent("dyn", "TavrinDynInteractiveAgent");

  struct Row { unsigned char on, interactiveOnly; bool dynamic; const char* computed; };
  const Row rows[] = {
      {1, 1, false, "needs quiet plain mute"},
      {1, 0, false, "needs mute"},
      {1, 0, true, "needs mute pick pick"},
      {1, 1, true, "needs quiet plain mute"},
      {0, 1, true, ""},
  };
  for (const Row& row : rows) {
    if (row.dynamic) coordinator->AddAgent(dynamic, 1, 0);
    coordinator->SetObservationMode(row.on, row.interactiveOnly);
    log.Clear();
    coordinator->RequestObservations();
    viewer->DispatchViewerUpdate();
    EXPECT_EQ(Calls("Compute"), row.computed) << "mode " << int(row.on) << int(row.interactiveOnly)
                                              << (row.dynamic ? " with" : " without") << " dynamic agent";
    EXPECT_EQ(Calls("Commit"), row.computed);
    if (row.dynamic) coordinator->RemoveAgent(dynamic);
  }
  // Observation off keeps the request: it runs at the first update after.
  coordinator->SetObservationMode(1, 1);
  viewer->DispatchViewerUpdate();
  EXPECT_EQ(Calls("Compute"), "needs quiet plain mute");
  log.Clear();
  viewer->DispatchViewerUpdate();
  EXPECT_EQ(Calls("Compute"), "") << "one observation per request";
  mainKF->SetSimulationController(kfc, 0);
  mainNT->SetSimulationController(ntc, 0);
  kfController->controlled = nullptr;
  ntController->controlled = nullptr;
}

// Inside an observation: the draw lock is held, posts are refused, an agent
// may remove itself and the next one; what was queued before is dropped.
TEST_F(ObservationTest, ObservationHoldsTheLockRefusesPostsAndSurvivesRemoval) {
  FakeObservedAgent *first;
  NUVISimAgentKeyFrame_var a = Agent("first", "FakeObservedAgent", &first), b = Agent("second");
  coordinator->AddAgent(a, 0, 0);
  coordinator->AddAgent(b, 0, 0);
  NUVSimNotification queued, during;
  coordinator->PostNotification(&queued, 0);
  unsigned char locked = 0;
  first->onCompute = [&] {
    NUVSimWindowServices::IsDrawLocked(locked);
    coordinator->PostNotification(&during, 0);
    coordinator->RemoveAgent(a);
    coordinator->RemoveAgent(b);
  };
  coordinator->RequestObservations();
  viewer->DispatchViewerUpdate();
  EXPECT_EQ(locked, 1);
  NUVSimWindowServices::IsDrawLocked(locked);
  EXPECT_EQ(locked, 0);
  EXPECT_EQ(Calls("Commit"), "first");
  EXPECT_EQ(queued.GetRefCount(), 1u) << "the queued notification is released undispatched";
  EXPECT_EQ(during.GetRefCount(), 1u);
  EXPECT_EQ(ViewerSubscriptions(), 0);
}

// A viewer update reaches only the default context's coordinator.
TEST_F(ObservationTest, OnlyTheDefaultContextsCoordinatorObservesOnUpdates) {
  NUVBaseUnknown_var editor(scene.Editor());
  auto* other = NUVSimMasterObservationAgentList::GetInstance(editor, 1);
  NUVISimAgentKeyFrame_var a = Agent("a");
  other->AddAgent(a, 0, 0);
  other->RequestObservations();
  viewer->DispatchViewerUpdate();
  EXPECT_EQ(Calls("Compute"), "");
  NUVSimMasterObservation::Reset(NUVBaseUnknown_var());
  log.Clear();
  NUVSimMasterObservation::ResetAll();
  EXPECT_EQ(log.Joined(), "a:End") << "destruction ends every observing agent's observation";
}
