// The co-review options of velloran-play's command line (--coreview,
// --session, --session-id, --coreview-timeout, --coreview-followers): what
// they mean, and their parsing and checks.
//
//   int r = ParseCoReviewOption(arg, next, options.coreview);   // -1: not one of them
//
// Threading: main thread, before play.
#ifndef PlayCoReviewOptions_h
#define PlayCoReviewOptions_h

#include <functional>
#include <string>

struct PlayCoReviewOptions {
  std::string role;                             // "", "lead" or "follow"
  std::string endpoint = "tcp://127.0.0.1:5570";  // tcp://HOST:PORT or ipc://PATH
  std::string sessionId = "velloran-play";
  double timeout = 30;  // seconds: leader waiting for followers, follower without values
  int followers = 0;    // leader: followers to wait for before play
};

// The help text of these options.
const char* CoReviewUsage();
// 0 when `arg` is a co-review option and its value is good, 2 after a
// message when the value is bad, -1 when `arg` is not a co-review option.
int ParseCoReviewOption(const char* arg, const std::function<const char*()>& next,
                        PlayCoReviewOptions& o);
// Checks that need the whole command line: 0, or 2 after a message.
int CheckCoReviewOptions(const PlayCoReviewOptions& o, double end);

#endif
