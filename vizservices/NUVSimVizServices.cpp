#include "NUVSimVizServices.h"

#include "NUVGetEnvValue.h"
#include "NUVOsCalls.h"
#include "NUVRecord.h"
#include "NUVString.h"
#include "VelloranModule.h"

NUV_IMPLEMENT_CLASS(NUVSimVizServices, NUVBaseUnknown, VELLORAN_LIBRARY_NAME)

namespace {

// Set when a middle-button press was seen waiting; kept while the button is
// held down, so that a drag with the middle button keeps interrupting a
// computation after its press message has been consumed.
unsigned char middleButtonLatch = 0;

// The replay-sync answer is decided by the first call only.
unsigned char replaySyncFirstCall = 1;
unsigned char replaySyncResult = 0;

// Peeks without a window filter and without removing anything.
inline unsigned char MessageWaiting(UINT first, UINT last) {
  MSG message;
  return PeekMessageW(&message, nullptr, first, last, PM_NOREMOVE) ? 1 : 0;
}

}  // namespace

NUVSimVizServices::NUVSimVizServices() {}

NUVSimVizServices::~NUVSimVizServices() {}

NUVSimVizServices::NUVSimVizServices(const NUVSimVizServices& other) : NUVBaseUnknown(other) {}

NUVSimVizServices& NUVSimVizServices::operator=(const NUVSimVizServices&) { return *this; }

unsigned char NUVSimVizServices::MouseButtonOrKeyPressed() {
  unsigned char mouse = MessageWaiting(WM_LBUTTONDOWN, WM_MOUSEHWHEEL);
  if (mouse && MessageWaiting(WM_MBUTTONDOWN, WM_MBUTTONDOWN)) middleButtonLatch = 1;
  if (middleButtonLatch) {
    middleButtonLatch = (GetAsyncKeyState(VK_MBUTTON) & 0x8000) ? 1 : 0;
  }
  if (mouse || middleButtonLatch) return 1;
  return MessageWaiting(WM_KEYDOWN, WM_UNICHAR);
}

unsigned char NUVSimVizServices::IsKTRReplaySynced() {
  if (!replaySyncFirstCall) return replaySyncResult;
  replaySyncFirstCall = 0;

  NUVRecord* recorder = NUVRecord::GetMain();
  if (!recorder) return replaySyncResult;

  NUVString levelName("PLMSimSyncedKTR");
  char* name = const_cast<char*>(levelName.CastToCharPtr());
  int level = 0;
  if (recorder->IsCapture()) {
    // Mark the recording so that its replay keeps the display in step; the
    // capturing session itself runs unsynchronised.
    if (!recorder->GetSoftwareRecordLevel(name, &level)) recorder->SetSoftwareRecordLevel(name, 1);
  } else if (recorder->IsReplay()) {
    if (recorder->GetSoftwareRecordLevel(name, &level)) {
      if (level > 0) replaySyncResult = 1;
    } else {
      // A recording made without the mark: the environment decides.
      replaySyncResult = NUVGetEnvValue("PLMSIM_KTR_SYNC") == 0 ? 1 : 0;
    }
  }
  return replaySyncResult;
}
