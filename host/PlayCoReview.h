// PlayCoReview: velloran-play's part in a collaborative review
// (--coreview). A leader starts the review on --session, joins the
// simulation's co-review messenger, waits for --coreview-followers, and
// during play turns each step the coordinator dispatches into a co-review
// notification raised on the main application, which the messenger sends;
// ending the review tells the followers. A follower joins the review and
// runs the loop: each value that arrives reaches the coordinator as a
// co-review notification, printed here; it ends when its leader ends the
// review or after --coreview-timeout seconds without a value, and reports
// how many values came and the last one.
//
//   PlayCoReview coreview(app, options.coreview, options.quiet);
//   if (!coreview.Start(coordinator)) return 1;
//   status = coreview.Following() ? coreview.Follow() : PlayAll(...);
//   coreview.End();
//
// Without --coreview every operation does nothing. Threading: the loop's.
#ifndef PlayCoReview_h
#define PlayCoReview_h

#include <memory>

#include "NUVEventSubscriber.h"
#include "NUVSimValue.h"
#include "PlayCoReviewOptions.h"

class NUVApplication;
class NUVCollabSessionManager;
class NUVCommand;
class NUVISimMasterObservation;

class PlayCoReview : public NUVEventSubscriber {
  NUV_DECLARE_CLASS
 public:
  PlayCoReview(NUVApplication& app, const PlayCoReviewOptions& options, bool quiet);
  ~PlayCoReview() override;
  PlayCoReview(const PlayCoReview&) = delete;
  PlayCoReview& operator=(const PlayCoReview&) = delete;

  bool Following() const { return _Options.role == "follow"; }
  // Starts the review and listens to `coordinator`'s steps. False, with a
  // message, when the review cannot start.
  bool Start(NUVISimMasterObservation* coordinator);
  // Follower: runs the loop until the review ends, times out or the user
  // interrupts; prints the report. Returns 0.
  int Follow();
  // Ends the review (a leader tells its followers) and prints what was sent.
  void End();

 private:
  void OnCycle(const char* event, void* publisher, NUVNotification* notification, void* data,
               int id);
  void OnReviewEnd(const char* event, void* publisher, NUVNotification* notification, void* data,
                   int id);
  static void OnTimeOut(NUVCommand* command, int id, void* data);
  void ArmTimeOut();
  bool WaitForFollowers();

  NUVApplication& _App;
  const PlayCoReviewOptions _Options;
  const bool _Quiet;
  std::unique_ptr<NUVCollabSessionManager> _pSession;
  void* _pPublisher = nullptr;  // the coordinator's implementation
  int _TimeOutId = 0;
  bool _TimedOut = false;
  bool _Ended = false;
  long long _Count = 0;  // values sent (leader) or received (follower)
  NUVSimValue _Last;
};

#endif
