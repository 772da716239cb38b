// NUVSimVizServices: the visualization services the simulation consults, as
// static operations of a class without fields.
//
//   if (NUVSimVizServices::MouseButtonOrKeyPressed()) break;  // user wants control
//   if (NUVSimVizServices::IsKTRReplaySynced()) ...;           // replay in step
//
// Threading: user-interface thread only; the process-wide state of these
// services (input latch, replay-sync answer) is unguarded.
#ifndef NUVSimVizServices_h
#define NUVSimVizServices_h

#include "NUVBaseUnknown.h"
#include "VelloranExport.h"

class VELLORAN_EXPORT NUVSimVizServices : public NUVBaseUnknown {
  NUV_DECLARE_CLASS;

 public:
  NUVSimVizServices();
  ~NUVSimVizServices() override;
  NUVSimVizServices(const NUVSimVizServices&);
  NUVSimVizServices& operator=(const NUVSimVizServices&);

  // --- Input polling and replay synchronisation ---------------------------

  // Non-zero when a mouse button or wheel message, or a keyboard message, is
  // waiting in the thread's input queue, or while a middle-button press seen
  // earlier is still held down. Mouse moves do not count. Nothing is removed
  // from the queue; the middle button's state is read only after a press was
  // seen, so that the poll stays cheap inside computing loops.
  static unsigned char MouseButtonOrKeyPressed();

  // Non-zero when the session replays a recording that asked for the
  // simulation display to stay in step with the recording. Decided at the
  // first call and cached for the whole process: a capture marks the
  // recording (software level "PLMSimSyncedKTR" = 1) and answers 0; a replay
  // answers from that mark, or, for a recording made without it, from the
  // environment variable "PLMSIM_KTR_SYNC" being defined; no recorder, or
  // neither capture nor replay, answers 0.
  static unsigned char IsKTRReplaySynced();

  // --- Co-review queries ---------------------------------------------------

  // Whether this instance leads (sends its simulated value to) a
  // collaborative review, respectively follows one, as the live co-review
  // messenger records it; 0 when there is no messenger.
  static unsigned char IsCoReviewLeader();
  static unsigned char IsCoReviewFollower();
};

#endif
