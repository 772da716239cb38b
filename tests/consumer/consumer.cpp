// An application built against the installed Velloran package: it creates
// the redraw agent by its component name, plays ten key frames with the
// platform's key-frame controller (the agent draws nothing: no viewers) and
// checks the agent observed each of them. It also reads a message of the
// installed catalogs, which the platform finds beside its library.
// Exit status 0 when everything went as it should, 1 otherwise.
#include <cstdio>

#include "NUVBaseUnknown_var.h"
#include "NUVDictionary.h"
#include "NUVISimAgentKeyFrame.h"
#include "NUVMsgCatalog.h"
#include "NUVSimAgentRedraw3D.h"
#include "NUVSimPlayScene.h"

namespace {

int Fail(const char* what) {
  std::fprintf(stderr, "velloran consumer: %s\n", what);
  return 1;
}

}  // namespace

int main() {
  void* raw = nullptr;
  if (NUVInstantiateComponent("NUVSimAgentRedraw3D", IID_NUVISimAgentKeyFrame, &raw) != S_OK) {
    return Fail("the component NUVSimAgentRedraw3D is not registered");
  }
  NUVBaseUnknown_var agent;
  agent.Attach(static_cast<NUVBaseUnknown*>(raw));
  auto* redraw = dynamic_cast<NUVSimAgentRedraw3D*>(agent->GetImpl());
  if (!redraw) return Fail("the component is not the redraw agent");
  redraw->SetWithGraphics(0);

  int steps = 0, observed = 0;
  double last = -1;
  {
    NUVSimPlayScene scene(NUVSimPlayScene::KeyFrame);
    if (scene.AddMember(agent) != S_OK) return Fail("the scene refused the redraw agent");
    scene.AddMovers(2, 0.45);
    if (scene.Start(0.45, 0.05) != S_OK) return Fail("the controller refused the play range");
    for (int guard = 0; scene.Playing() && guard < 100; ++guard) {
      scene.Iterate();
      unsigned char observable = 0;
      redraw->IsFrameObservable(observable);
      observed += observable;
    }
    steps = scene.StepsPlayed();
    last = scene.Current().GetValue();
  }
  std::printf("velloran consumer: %d steps played to %.2f, %d observed\n", steps, last, observed);
  if (steps != 10 || observed != 10 || last < 0.45 - 1e-9 || last > 0.45 + 1e-9) {
    return Fail("ten key frames from 0 to 0.45, each observed, were expected");
  }

  NUVUnicodeString text;
  if (NUVMsgCatalog::BuildMessage("VelloranAgentError", "ERR_0001", text) != S_OK) {
    return Fail("the installed message catalogs are not found");
  }
  return 0;
}
