// libVelloran loaded and unloaded at run time, as the application does. The
// test runs twice under ctest: with the socket wake-up and with
// PLMSIM_MESSAGEQUEUE_TIMER defined.
#include <gtest/gtest.h>

#include "NUV3DViewer.h"
#include "NUVApplication.h"
#include "NUVBaseUnknown_var.h"
#include "NUVCallbackManager.h"
#include "NUVCollabSessionManager.h"
#include "NUVDictionary.h"
#include "NUVEventSubscriber.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVGetPLMStateSynchronousEventDispatcher.h"
#include "NUVOsLibrary.h"
#include "NUVPLMStateSynchronousEventDispatcher.h"
#include "NUVSimBasicAgent.h"
#include "NUVSimCoReviewNotification.h"
#include "NUVISimStructuredAgentKeyFrameMgt.h"
#include "NUVSimKeyFrameController.h"
#include "NUVSimMasterObservation.h"
#include "NUVSimMessage.h"
#include "PlayCommand.h"
#include "VelloranModule.h"

namespace {

// Starts play as a simulation command does: the library's redraw agent,
// reached by name, under a key-frame controller, in a layout of two 3D
// windows whose swaps come only when the test delivers them.
NUVSimKeyFrameController* StartPlay(const PlayCommandApi* api, NUVBaseUnknown_var& agent) {
  auto* layout = NUVFrmLayout::GetCurrentLayout();
  for (int i = 0; i < 2; ++i) {
    auto* viewer = new NUV3DViewer;
    viewer->SetAutomaticSwap(0);
    auto* window = new NUVFrmWindow(NUVFrmEditor::GetCurrentEditor(), viewer);
    layout->AddWindow(window);
    window->Release();  // the layout holds the window, the window its viewer
    viewer->Release();
  }
  void* raw = nullptr;
  NUVInstantiateComponent("NUVSimAgentRedraw3D", IID_NUVISimAgentKeyFrame, &raw);
  agent.Attach(static_cast<NUVBaseUnknown*>(raw));
  PlayPacing pacing = {1, 0, 0, nullptr, 0};
  EXPECT_EQ(api->configure(agent, &pacing), S_OK);
  NUVInstantiateComponent("NUVSimProbesStructuredAgentKF", IID_NUVISimStructuredAgentKeyFrameMgt,
                          &raw);
  NUVVar<NUVISimStructuredAgentKeyFrameMgt> members;
  members.Attach(static_cast<NUVISimStructuredAgentKeyFrameMgt*>(raw));
  NUVISimAgentKeyFrame_var redraw(agent.get());
  members->AddMember(redraw);
  auto* controller = new NUVSimKeyFrameController;
  controller->SetKeyFrames(NUVSimValue(0.0), NUVSimValue(100.0), NUVSimValue(1.0));
  NUVISimAgentKeyFrame_var top(members.get());
  controller->SetControlledAgent(top);
  EXPECT_EQ(api->start(agent), S_OK);
  return controller;
}

// Plain messages of the library, built and posted through its exported
// operations (the program has no link to the library's type information).
void PostPlainMessages(void* library, int count) {
  auto construct = reinterpret_cast<void (*)(void*)>(NUVOsLibrary::Symbol(library, "_ZN13NUVSimMessageC1Ev"));
  auto post = reinterpret_cast<void (*)(void*)>(NUVOsLibrary::Symbol(library, "_ZN13NUVSimMessage4PostEv"));
  ASSERT_TRUE(construct && post);
  for (int i = 0; i < count; ++i) {
    void* memory = ::operator new(sizeof(NUVSimMessage));
    construct(memory);
    post(memory);
    static_cast<NUVBaseUnknown*>(memory)->Release();  // the queue holds it
  }
}

}  // namespace

// Unloaded with play under way (messages queued, the draw-or-continue message
// possibly waiting for swaps), the library leaves nothing registered: the
// dictionary, the loop, swaps and window deletions reach none of its code.
TEST(ModuleUnload, LeavesNothingOfTheLibraryBehind) {
  ASSERT_EQ(NUVDictionary::CountRegistrations(VELLORAN_LIBRARY_NAME), 0)
      << "this program must not be linked against the library";
  for (int turnsBeforeUnload : {0, 1, 2, 6}) {
    SCOPED_TRACE(turnsBeforeUnload);
    NUVApplication app("host");
    auto* editor = new NUVFrmEditor;
    auto* layout = new NUVFrmLayout;
    NUVFrmEditor::SetCurrentEditor(editor);
    NUVFrmLayout::SetCurrentLayout(layout);
    std::string why;
    void* library = NUVOsLibrary::Load(VELLORAN_LIBRARY_PATH, &why);
    void* command = NUVOsLibrary::Load(VELLORAN_PLAY_COMMAND_PATH, &why);
    ASSERT_TRUE(library && command) << why;
    ASSERT_TRUE(NUVOsLibrary::IsLoaded(VELLORAN_LIBRARY_PATH));
    ASSERT_NE(NUVDictionary::FindMetaClass("NUVSimMessage"), nullptr);
    EXPECT_EQ(NUVOsLibrary::Symbol(library, "_Z18VelloranModuleLoadv"), nullptr) << "internal: not exported";
    typedef const PlayCommandApi* (*Entry)();
    const PlayCommandApi* api = reinterpret_cast<Entry>(NUVOsLibrary::Symbol(command, "VelloranPlayCommand"))();
    NUVBaseUnknown_var agent;
    NUVSimKeyFrameController* controller = StartPlay(api, agent);
    for (int i = 0; i < turnsBeforeUnload; ++i) app.RunOneTurn(0);
    NUVViewer* viewer = layout->GetWindowList(nullptr, nullptr)[1]->GetViewer();
    EXPECT_TRUE(turnsBeforeUnload < 6 || viewer->GetDrawCount() == 1) << "drawn, swaps awaited";
    PostPlainMessages(library, 3);
    EXPECT_EQ(api->busy(agent), 1);
    {  // the editor's coordinator, watching the viewer for an interactive agent
      NUVISimMasterObservation_var coordinator;
      NUVSimMasterObservation::Get(coordinator, NUVBaseUnknown_var(editor), 1);
      ASSERT_TRUE(!!coordinator);
      NUVISimAgentKeyFrame_var observed(new NUVSimBasicAgent);
      observed->Release();
      EXPECT_EQ(coordinator->AddAgent(observed, 0, 0), S_OK);
      EXPECT_EQ(viewer->GetCallbackManager()->CountCallbacks(NUVViewer::VIEWER_UPDATE()), 1);
    }
    NUVISimAgentKeyFrame_var none;  // the host lets go of play, then unloads
    controller->SetControlledAgent(none);
    controller->Release();
    agent = NUVBaseUnknown_var();
    ASSERT_EQ(NUVOsLibrary::Unload(command), 0);
    ASSERT_EQ(NUVOsLibrary::Unload(library), 0);
    ASSERT_FALSE(NUVOsLibrary::IsLoaded(VELLORAN_LIBRARY_PATH)) << "really unloaded";
    EXPECT_EQ(NUVDictionary::CountRegistrations(VELLORAN_LIBRARY_NAME), 0);
    EXPECT_EQ(NUVSimMasterObservation::Count(), 0) << "no coordinator outlives its code";
    EXPECT_EQ(viewer->GetCallbackManager()->CountCallbacks(nullptr) +
                  NUVGetPLMStateSynchronousEventDispatcher::GetPLMStateSynchronousEventDispatcher()
                      ->GetCallbackManager()->CountCallbacks(nullptr), 0);

    viewer->DeliverSwap();
    layout->DeleteWindow(layout->GetWindowList(nullptr, nullptr)[2]);
    for (int i = 0; i < 20; ++i) app.RunOneTurn(0);
    EXPECT_EQ(app.PendingTimeOuts() + app.RegisteredDescriptors(), 0);
    NUVFrmEditor::SetCurrentEditor(nullptr);
    NUVFrmLayout::SetCurrentLayout(nullptr);
    layout->Release();
    editor->Release();
  }
}

// Unloaded while it leads a review, the library takes its messenger and the
// messenger's subscriptions with it; the review's session stays usable.
TEST(ModuleUnload, ARunningReviewKeepsNothingOfTheLibrary) {
  if (!NUVCollabSessionManager::HasTransport()) GTEST_SKIP() << "this build has no transport";
  NUVApplication app("host");
  std::string why;
  void* library = NUVOsLibrary::Load(VELLORAN_LIBRARY_PATH, &why);
  ASSERT_NE(library, nullptr) << why;
  NUVCollabSessionManager session;
  ASSERT_EQ(session.StartReview(NUVCollabSessionManager::Leader, "tcp://127.0.0.1:*", "u"), S_OK)
      << session.LastError();
  ASSERT_EQ(session.AddMessenger("NUVECoMessengerForSimEngine"), S_OK);
  NUVCallbackManager* bus = NUVCollabSessionManager::GetApplicationBus()->GetCallbackManager();
  const char* coreview = NUVSimCoReviewNotification::ClassName();
  EXPECT_EQ(app.GetCallbackManager()->CountCallbacks(coreview) + bus->CountCallbacks(nullptr), 2);
  ASSERT_EQ(NUVOsLibrary::Unload(library), 0);
  EXPECT_EQ(session.CountMessengers(), 0);
  EXPECT_EQ(app.GetCallbackManager()->CountCallbacks(coreview) + bus->CountCallbacks(nullptr), 0);
  EXPECT_EQ(NUVDictionary::CountRegistrations(VELLORAN_LIBRARY_NAME), 0);
  NUVSimCoReviewNotification step;
  app.GetCallbackManager()->DispatchCallbacks(coreview, &step);
  EXPECT_EQ(session.EndReview(), S_OK);
  EXPECT_EQ(app.RegisteredDescriptors(), 0);
}
