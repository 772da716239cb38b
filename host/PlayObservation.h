// PlayObservation: velloran-play's side of the master observation
// coordinator. It reaches the coordinator of the host's editor (the current
// one, so also the default context's, which observes on viewer updates)
// through the platform's per-context registry (the library supplies it),
// registers two
// interactive agents for the whole session (the notifying probe, and the
// dynamic interactive agent by its component name), subscribes
// to the coordinator's phase and cycle events (printed with --verbose), and
// plays the user's drag of --interactive.
//
//   PlayObservation observation(options.verbose);
//   if (observation.Attach(frame.Editor())) player.SetCoordinator(observation.Coordinator());
//   ...
//   observation.DragAndObserve(app, frame);   // between two plays
//
// Threading: user-interface thread (the loop's).
#ifndef PlayObservation_h
#define PlayObservation_h

#include <vector>

#include "NUVEventSubscriber.h"
#include "NUVISimMasterObservation.h"

class HeadlessFrame;
class NUVApplication;
class NUVFrmEditor;
class NUVSimBasicAgent;
class NotifyingProbe;

class PlayObservation : public NUVEventSubscriber {
  NUV_DECLARE_CLASS
 public:
  explicit PlayObservation(bool verbose);
  ~PlayObservation() override;
  PlayObservation(const PlayObservation&) = delete;
  PlayObservation& operator=(const PlayObservation&) = delete;

  // Gets (creates) the coordinator of `editor`, registers the
  // interactive agents and subscribes. False, with a message, when there is
  // no coordinator or it refuses them.
  bool Attach(NUVFrmEditor* editor);
  // Unsubscribes and unregisters; the coordinator goes with its library.
  void Detach();
  NUVISimMasterObservation* Coordinator() const { return _Coordinator.get(); }

  // Moves one object as a dragging user would: the PLM state monitor
  // publishes the move, the coordinator asks for an observation, the frame
  // redraws, and the viewers' next update runs it. Prints what ran. False,
  // with a message, when no interactive observation came.
  bool DragAndObserve(NUVApplication& app, HeadlessFrame& frame);

  // Notifications heard, by event.
  int Heard() const { return _Heard; }

 private:
  void OnEvent(const char* event, void* publisher, NUVNotification* notification, void* data,
               int id);
  void OnViewerUpdate(const char* event, void* publisher, NUVNotification* notification,
                      void* data, int id);

  const bool _Verbose;
  NUVISimMasterObservation_var _Coordinator;
  NotifyingProbe* _pProbe = nullptr;  // one reference, also in _Interactive
  std::vector<NUVSimBasicAgent*> _Interactive;  // registered by this object, one reference each
  void* _pPublisher = nullptr;        // the coordinator's implementation
  int _Heard = 0;
  int _ViewerUpdates = 0;
};

#endif
