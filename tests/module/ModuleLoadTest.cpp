// libVelloran loaded and unloaded with dlopen, as the application does. The
// unload tests run twice under ctest: with the socket wake-up and with
// PLMSIM_MESSAGEQUEUE_TIMER defined.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "NUV3DViewer.h"
#include "NUVApplication.h"
#include "NUVBaseUnknown_var.h"
#include "NUVDictionary.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVISimStructuredAgentKeyFrameMgt.h"
#include "NUVSimKeyFrameController.h"
#include "NUVSimMessage.h"
#include "PlayCommand.h"
#include "VelloranModule.h"

namespace {

void* Load() { return dlopen(VELLORAN_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL); }

// The headless frame of a host: one editor, one layout, two 3D windows whose
// swaps arrive only when the test delivers them.
struct Frame {
  NUVFrmEditor* editor = new NUVFrmEditor;
  NUVFrmLayout* layout = new NUVFrmLayout;
  NUVViewer* viewers[2] = {new NUV3DViewer, new NUV3DViewer};
  Frame() {
    NUVFrmEditor::SetCurrentEditor(editor);
    NUVFrmLayout::SetCurrentLayout(layout);
    for (NUVViewer* viewer : viewers) {
      viewer->SetAutomaticSwap(0);
      auto* window = new NUVFrmWindow(editor, viewer);
      layout->AddWindow(window);
      window->Release();
    }
  }
  ~Frame() {
    NUVFrmEditor::SetCurrentEditor(nullptr);
    NUVFrmLayout::SetCurrentLayout(nullptr);
    for (NUVViewer* viewer : viewers) viewer->Release();
    layout->Release();
    editor->Release();
  }
};

// Plays with the library's redraw agent, as a simulation command does, and
// posts plain messages besides.
struct Play {
  NUVSimKeyFrameController* controller = new NUVSimKeyFrameController;
  NUVBaseUnknown_var agent;
  void Start(const PlayCommandApi* api) {
    void* raw = nullptr;
    ASSERT_EQ(NUVInstantiateComponent("NUVSimAgentRedraw3D", IID_NUVISimAgentKeyFrame, &raw), S_OK);
    agent.Attach(static_cast<NUVBaseUnknown*>(raw));
    PlayPacing pacing = {1, 0, 0, nullptr, 0};
    ASSERT_EQ(api->configure(agent, &pacing), S_OK);
    raw = nullptr;
    NUVInstantiateComponent("NUVSimProbesStructuredAgentKF", IID_NUVISimStructuredAgentKeyFrameMgt, &raw);
    NUVVar<NUVISimStructuredAgentKeyFrameMgt> members;
    members.Attach(static_cast<NUVISimStructuredAgentKeyFrameMgt*>(raw));
    NUVISimAgentKeyFrame_var redraw(agent.get());
    members->AddMember(redraw);
    controller->SetKeyFrames(NUVSimValue(0.0), NUVSimValue(100.0), NUVSimValue(1.0));
    NUVISimAgentKeyFrame_var top(members.get());
    controller->SetControlledAgent(top);
    ASSERT_EQ(api->start(agent), S_OK);
  }
  // What a host does when it is done with play: detach and let go.
  void Stop() {
    NUVISimAgentKeyFrame_var none;
    controller->SetControlledAgent(none);
    controller->Release();
    agent = NUVBaseUnknown_var();
  }
};

void PostPlainMessages(void* library, int count) {
  auto construct = reinterpret_cast<void (*)(void*)>(dlsym(library, "_ZN13NUVSimMessageC1Ev"));
  ASSERT_NE(construct, nullptr);
  for (int i = 0; i < count; ++i) {
    void* memory = ::operator new(sizeof(NUVSimMessage));
    construct(memory);
    auto* message = static_cast<NUVSimMessage*>(memory);
    message->Post();
    message->Release();  // the queue holds it
  }
}

}  // namespace

TEST(ModuleLoad, RegistrationsComeWithTheLibraryAndGoWithIt) {
  ASSERT_EQ(NUVDictionary::CountRegistrations(VELLORAN_LIBRARY_NAME), 0)
      << "this program must not be linked against the library";
  for (int round = 0; round < 2; ++round) {
    void* handle = Load();
    ASSERT_NE(handle, nullptr) << dlerror();
    const NUVMetaClass* meta = NUVDictionary::FindMetaClass("NUVSimMessage");
    ASSERT_NE(meta, nullptr) << "round " << round;
    EXPECT_STREQ(meta->GetLibraryName(), VELLORAN_LIBRARY_NAME);
    EXPECT_TRUE(meta->IsAKindOf("NUVBaseUnknown"));
    // A public class's operation is visible, the module's start-up is not.
    EXPECT_NE(dlsym(handle, "_ZN18NUVSimMessageQueue11GetInstanceEv"), nullptr);
    EXPECT_EQ(dlsym(handle, "_Z18VelloranModuleLoadv"), nullptr);
    ASSERT_EQ(dlclose(handle), 0);
    EXPECT_EQ(dlopen(VELLORAN_LIBRARY_PATH, RTLD_NOW | RTLD_NOLOAD), nullptr)
        << "the library should really be unloaded";
    EXPECT_EQ(NUVDictionary::CountRegistrations(VELLORAN_LIBRARY_NAME), 0);
  }
}

// Unloaded with play under way, messages queued and the draw-or-continue
// message possibly waiting for swaps: the loop, the windows' swaps and a
// window's deletion must then reach no code of the library.
TEST(ModuleUnload, LeavesNothingOfTheLibraryInTheHostsLoop) {
  for (int turnsBeforeUnload : {0, 1, 2, 6}) {
    SCOPED_TRACE(turnsBeforeUnload);
    NUVApplication app("host");
    {
      Frame frame;
      void* library = Load();
      ASSERT_NE(library, nullptr) << dlerror();
      void* command = dlopen(VELLORAN_PLAY_COMMAND_PATH, RTLD_NOW | RTLD_LOCAL);
      ASSERT_NE(command, nullptr) << dlerror();
      auto api = reinterpret_cast<const PlayCommandApi* (*)()>(dlsym(command, "VelloranPlayCommand"))();
      Play play;
      play.Start(api);
      for (int i = 0; i < turnsBeforeUnload; ++i) app.RunOneTurn(0);
      PostPlainMessages(library, 3);
      if (turnsBeforeUnload == 6) {
        EXPECT_EQ(frame.viewers[0]->GetDrawCount(), 1) << "a frame drawn, its swaps awaited";
      }
      EXPECT_EQ(api->busy(play.agent), 1);
      play.Stop();
      ASSERT_EQ(dlclose(command), 0);
      ASSERT_EQ(dlclose(library), 0);
      ASSERT_EQ(dlopen(VELLORAN_LIBRARY_PATH, RTLD_NOW | RTLD_NOLOAD), nullptr);

      for (NUVViewer* viewer : frame.viewers) viewer->DeliverSwap();
      for (int i = 0; i < 20; ++i) app.RunOneTurn(0);
      frame.layout->DeleteWindow(frame.layout->GetWindowList(nullptr, nullptr)[1]);
      for (int i = 0; i < 20; ++i) app.RunOneTurn(0);
    }
    EXPECT_EQ(app.PendingTimeOuts(), 0);
    EXPECT_EQ(app.RegisteredDescriptors(), 0);
  }
}
