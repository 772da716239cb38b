// The play command module (see PlayCommand.h).
#include <cstdio>
#include <cstring>

#include "../PlayCommand.h"
#include "NUVEzrErrorHandler.h"
#include "NUVISimErrorManager.h"
#include "NUVSimAgentRedraw3D.h"
#include "NUVSimRaiseError.h"
#include "PLMGetSimErrorManager.h"
#include "NUVSimComputeMessage.h"
#include "NUVSimDrawOrContinueMessage.h"
#include "NUVSimMessageQueue.h"
#include "NUVSimValue.h"
#include "NUVSimVizServices.h"

namespace {

NUVSimAgentRedraw3D* AgentOf(NUVBaseUnknown* object) {
  return object ? dynamic_cast<NUVSimAgentRedraw3D*>(object->GetImpl()) : nullptr;
}

long Configure(NUVBaseUnknown* object, const PlayPacing* pacing) {
  NUVSimAgentRedraw3D* agent = AgentOf(object);
  if (!agent || !pacing) return E_INVALIDARG;
  agent->SetWithGraphics(pacing->withGraphics ? 1 : 0);
  if (pacing->interval > 0 && agent->SetInterval(NUVSimValue(pacing->interval)) != S_OK) {
    return E_INVALIDARG;
  }
  if (pacing->speedFactor > 0) agent->SetSpeedFactor(NUVSimValue(pacing->speedFactor));
  for (int i = 0; i < pacing->scheduleCount; ++i) {
    agent->ScheduleRedraw(NUVSimValue(pacing->schedule[i]));
  }
  return S_OK;
}

long Start(NUVBaseUnknown* object) {
  NUVSimAgentRedraw3D* agent = AgentOf(object);
  return agent ? agent->ForceCompute() : E_INVALIDARG;
}

void StepState(NUVBaseUnknown* object, PlayStepState* state) {
  NUVSimAgentRedraw3D* agent = AgentOf(object);
  if (!agent || !state) return;
  unsigned char observable = 0, drawing = 0;
  agent->IsFrameObservable(observable);
  agent->IsFrameDrawing(drawing);
  state->frameState = agent->GetFrameState();
  state->observable = observable;
  state->drawing = drawing;
}

int Busy(NUVBaseUnknown* object) {
  NUVSimMessageQueue* queue = NUVSimMessageQueue::GetInstance();
  if (queue && queue->Size() > 0) return 1;
  NUVSimAgentRedraw3D* agent = AgentOf(object);
  if (!agent) return 0;
  NUVSimDrawOrContinueMessage* draw = agent->GetDrawMessage();
  NUVSimComputeMessage* compute = agent->GetComputeMessage();
  return (draw && draw->IsPosted()) || (compute && compute->IsPosted());
}

// Brings the current editor's errors into its dialog and renders the dialog
// as text, as the user would see it.
int ErrorDialog(char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = 0;
  NUVISimErrorManager_var manager;
  PLMGetSimErrorManager::Get(manager, 0, nullptr, nullptr);
  int count = 0;
  if (!manager || manager->GetNumberOfErrors(count) != S_OK || count == 0) return 0;
  NUVSimRaiseError::DisplaySimulationErrors();
  NUVEzrErrorHandler* dialog = nullptr;
  manager->GetErrorHandler(dialog);
  if (!dialog) return count;
  NUVUnicodeString text;
  dialog->RenderDialog(text);
  dialog->Release();
  std::snprintf(buffer, static_cast<size_t>(size), "%s", text.ConvertToChar());
  return count;
}

// Seconds until the library answers; nothing thrown across the module edge.
void TimeUnit(char* label, int size, double* perSecond) {
  if (!label || size <= 0 || !perSecond) return;
  NUVUnicodeString text("s");
  double factor = 1, inverse = 1;
  try {
    NUVSimVizServices::GetTimeUnits(text, factor, inverse);
  } catch (...) {
    text = "s";
    inverse = 1;
  }
  std::snprintf(label, static_cast<size_t>(size), "%s", text.ConvertToChar());
  *perSecond = inverse;
}

void EncodeNumber(double value, int precision, char* buffer, int size) {
  if (!buffer || size <= 0) return;
  NUVUnicodeString text;
  NUVSimVizServices::EncodeDouble(value, text, precision);
  std::snprintf(buffer, static_cast<size_t>(size), "%s", text.ConvertToChar());
}

void ClearErrors() { NUVSimRaiseError::ClearSimulationErrors(0); }

const PlayCommandApi api = {&Configure,   &Start,    &StepState,    &Busy,
                            &ErrorDialog, &TimeUnit, &EncodeNumber, &ClearErrors};

}  // namespace

extern "C" __attribute__((visibility("default"))) const PlayCommandApi* VelloranPlayCommand() {
  return &api;
}
