#include "NUVCommandSelector.h"

#include "NUVApplication.h"

NUV_IMPLEMENT_CLASS(NUVCommand, NUVBaseUnknown, "VelloranPlatform")
NUV_IMPLEMENT_CLASS(NUVCommandSelector, NUVCommand, "VelloranPlatform")

NUVCommand::NUVCommand(NUVCommand* parent, const char* name)
    : _pParent(parent), _Name(name ? name : ""), _DestructionRequested(0) {}

NUVCommand::~NUVCommand() {
  if (NUVApplication* app = NUVApplication::MainApplication()) app->RemoveRegistrationsOf(this);
}

namespace {
void DestroyCommand(NUVCommand*, int, void* data) {
  static_cast<NUVCommand*>(data)->Release();
}
}  // namespace

void NUVCommand::RequestDelayedDestruction() {
  if (_DestructionRequested) return;
  _DestructionRequested = 1;
  NUVApplication* app = NUVApplication::MainApplication();
  // Registered without an owner, so that dropping this command's own
  // registrations cannot cancel its destruction.
  if (app) {
    app->AddTimeOut(0, nullptr, this, &DestroyCommand);
  } else {
    Release();
  }
}

NUVCommandSelector::NUVCommandSelector() : NUVCommand(nullptr, "NUVCommandSelector") {}

NUVCommandSelector* NUVCommandSelector::GetCommandSelectorInstance() {
  // Lives for the process; reachable, so never reported as a leak.
  static NUVCommandSelector* instance = new NUVCommandSelector;
  return instance;
}
