#include "FakeControllers.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVGetPLMStateSynchronousEventDispatcher.h"
#include "NUVPLMStateSynchronousEventDispatcher.h"
#include "NUVSimNotification.h"
#include "NUVSimWindowServices.h"
#include "ObservationFixture.h"

TEST_F(ObservationTest, OneCoordinatorPerContextAndNoneAfterReset) {
  NUVBaseUnknown_var current(scene.Editor()), editor(scene.AddEditor()), other(scene.AddEditor());
  EXPECT_EQ(NUVSimMasterObservationAgentList::GetInstance(current, 0), coordinator)
      << "the default context is the current editor's";
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
  NUVCallbackManager* layout = scene.Layout()->GetCallbackManager();
  EXPECT_EQ(layout->CountCallbacks(NUVFrmEditor::EDITOR_CLOSE_ENDED()), 1);
  scene.AddEditor()->Close(scene.Layout());
  EXPECT_EQ(NUVSimMasterObservationAgentList::GetInstance(context, 0), c);
  watched->Close(scene.Layout());
  EXPECT_EQ(NUVSimMasterObservationAgentList::GetInstance(context, 0), nullptr);
  EXPECT_EQ(layout->CountCallbacks(NUVFrmEditor::EDITOR_CLOSE_ENDED()), 0);
}

TEST_F(ObservationTest, RegistrationKeepsOrderAndDuplicatesAndRefreshesOnlyTheKeyFrameAgent) {
  NUVBaseUnknown_var entity(new NUVSimNotification);
  entity->Release();
  coordinator->AddObservableEntity(entity);
  NUVISimAgentKeyFrame_var a = Agent("a"), b = Agent("b");
  ASSERT_EQ(coordinator->AddAgent(a, 1, 0) | coordinator->AddAgent(b, 0, 1) | coordinator->AddAgent(a, 1, 0), S_OK);
  EXPECT_EQ(log.Joined(),
            "a:Switch 0 a:Context set KF:MembersChanged 0 NT:MembersChanged 0 a:AddEntity a:Sync set "
            "b:Switch 1 b:Context set KF:MembersChanged 1 NT:MembersChanged 0 b:AddEntity b:Sync set "
            "a:Switch 0 a:Context set KF:MembersChanged 0 NT:MembersChanged 0 a:AddEntity a:Sync set");
  NUVISimAgentKeyFrame_var mainKF;
  coordinator->GetMainAgent(mainKF);
  NUVListValNUVISimAgentKeyFrame_var members;
  NUVISimStructuredAgentKeyFrameMgt_var(mainKF.get())->GetMembers(members);
  ASSERT_EQ(members.Size(), 3);
  EXPECT_TRUE(members.Locate(a) == 1 && members.Locate(b) == 2 && members.Locate(a, 2) == 3);
  unsigned char simOnly = 9, interactive = 9, there = 9;
  coordinator->IsAgentInteractive(a, simOnly);
  coordinator->IsAgentInteractive(b, interactive);
  log.Clear();
  EXPECT_EQ(coordinator->RemoveAgent(b), S_OK);
  EXPECT_EQ(log.Joined(), "KF:MembersChanged 0 NT:MembersChanged 0 b:RemoveEntity b:Sync null");
  coordinator->IsAgentThere(b, there);
  EXPECT_TRUE(simOnly == 0 && interactive == 1 && there == 0);
  log.Clear();
  NUVSimMasterObservation::ResetAll();
  EXPECT_EQ(log.Joined(), "a:End a:End") << "destruction ends each registration's observation";
}

TEST_F(ObservationTest, BadAgentsAndNamesAreRefusedAndChangeNothing) {
  FakeObservedAgent *kfOnlyAgent, *ntOnlyAgent;
  NUVISimAgentKeyFrame_var none, kfOnly = Agent("k", &kfOnlyAgent), keep = Agent("n", &ntOnlyAgent);
  kfOnlyAgent->withheld.insert("NUVISimAgentNegociatedTime");
  ntOnlyAgent->withheld.insert("NUVISimAgentKeyFrame");
  NUVISimAgentNegociatedTime_var ntOnly(ntOnlyAgent), noNT;
  for (long result : {coordinator->AddAgent(none, 0, 0), coordinator->AddAgent(kfOnly, 0, 0),
                      coordinator->AddAgent(ntOnly, 0, 0), coordinator->AddAgent(noNT, 0, 0),
                      coordinator->RemoveAgent(none), coordinator->RemoveAgent(kfOnly),
                      coordinator->RemoveAgent(ntOnly), coordinator->RemoveAgent(NUVString("NoSuchAgent"))})
    EXPECT_EQ(result, E_FAIL);
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
  EXPECT_EQ(ViewerSubscriptions(), 0) << "removed even with an interactive agent left";
}

// Rows of the observation decision: which agents compute and commit at the
// viewer update after a request, in each mode.
TEST_F(ObservationTest, ObservationModeDecidesWhoIsObserved) {
  FakeObservedAgent *needs, *plain, *off, *mute, *pick, *compass, *silent;
  NUVISimAgentKeyFrame_var interactive[] = {Agent("needs", &needs), Agent("quiet"), Agent("plain", &plain),
                                            Agent("off", &off), Agent("mute", &mute)};
  needs->needed = off->needed = mute->needed = 1;
  plain->withheld.insert("NUVISimAgentObserver");
  off->enabled = 0;
  mute->answersEnabled = false;
  for (auto& agent : interactive) coordinator->AddAgent(agent, 0, 1);
  // Members driven by both controllers: only "pick" qualifies (type bit 4,
  // not excluded), and the negotiated-time side lists it a second time.
  NUVISimAgentKeyFrame_var driven[] = {Agent("pick", &pick), Agent("low"),
                                       Agent("compass", &compass, "NUVSimAgentRefreshCompass"),
                                       Agent("silent", &silent)};
  pick->type = compass->type = 6;
  silent->answersType = false;
  auto* drivenKF = new NUVSimProbesStructuredAgentKeyFrame;
  auto* drivenNT = new NUVSimProbesStructuredAgentNegociatedTime;
  for (auto& m : driven) NUVISimStructuredAgentKeyFrameMgt_var(drivenKF)->AddMember(m);
  NUVISimAgentNegociatedTime_var pickNT(pick);
  NUVISimStructuredAgentNegociatedTimeMgt_var(drivenNT)->AddMember(pickNT);
  auto* kfController = new FakeKeyFrameController;
  auto* ntController = new FakeNegociatedTimeController;
  NUVISimControllerKeyFrame_var kfc(kfController);
  NUVISimControllerNegociatedTime_var ntc(ntController);
  kfController->controlled = drivenKF;
  ntController->controlled = drivenNT;
  for (NUVBaseUnknown* o : std::initializer_list<NUVBaseUnknown*>{drivenKF, drivenNT, kfController, ntController})
    o->Release();
  NUVISimAgentKeyFrame_var mainKF;
  NUVISimAgentNegociatedTime_var mainNT;
  ASSERT_EQ(coordinator->GetMainAgent(mainKF) | coordinator->GetMainAgent(mainNT), S_OK);
  mainKF->SetSimulationController(kfc, 1);
  mainNT->SetSimulationController(ntc, 1);
  NUVISimAgentKeyFrame_var dynamic = Agent("dyn", nullptr, "TavrinDynInteractiveAgent");

  struct Row { unsigned char on, interactiveOnly; bool dynamic; const char* computed; };
  const Row rows[] = {
      {1, 1, false, "needs quiet plain mute"}, {1, 0, false, "needs mute"},
      {1, 0, true, "needs mute pick pick"},    {1, 1, true, "needs quiet plain mute"},
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
  // Observation off kept the request: it runs at the first update after.
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

// An observation requested by a move: the draw lock is held, posts are
// refused, an agent may remove itself and the next one; what was queued
// before is dropped.
TEST_F(ObservationTest, ObservationHoldsTheLockRefusesPostsAndSurvivesRemoval) {
  FakeObservedAgent* first;
  NUVISimAgentKeyFrame_var a = Agent("first", &first), b = Agent("second");
  coordinator->AddAgent(a, 0, 0);
  coordinator->AddAgent(b, 0, 0);
  NUVSimNotification queued, during;
  coordinator->PostNotification(&queued, 0);
  unsigned char locked = 0, after = 1;
  first->onCompute = [&] {
    NUVSimWindowServices::IsDrawLocked(locked);
    coordinator->PostNotification(&during, 0);
    coordinator->RemoveAgent(a);
    coordinator->RemoveAgent(b);
  };
  NUVGetPLMStateSynchronousEventDispatcher::GetPLMStateSynchronousEventDispatcher()->OccurrenceMoved(nullptr);
  viewer->DispatchViewerUpdate();
  NUVSimWindowServices::IsDrawLocked(after);
  EXPECT_TRUE(locked == 1 && after == 0);
  EXPECT_EQ(Calls("Commit"), "first");
  EXPECT_EQ(queued.GetRefCount(), 1u) << "the queued notification is released undispatched";
  EXPECT_EQ(during.GetRefCount(), 1u);
  EXPECT_EQ(ViewerSubscriptions(), 0);
}
