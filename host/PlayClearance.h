// PlayClearance: velloran-play's clearance check (--clearance). It shows
// the scene's moving objects as a product tree, one occurrence per mover
// carrying a box representation, places each occurrence through the PLM
// state monitor after every step, and tests every pair's boxes with the
// library's bounding-box services; at the end of play it tells which pairs
// came closer than their boxes allow, and when.
//
//   PlayClearance clearance(api);
//   if (!clearance.Watch(scene)) return false;   // after scene.AddMovers
//   ... play ...
//   std::string text = clearance.Report();
//
// Threading: user-interface thread (the loop's).
#ifndef PlayClearance_h
#define PlayClearance_h

#include <string>
#include <vector>

#include "PlayClearanceCommand.h"

class NUVPLMOccurrence;
class NUVSimMovingObjectAgent;
class NUVSimPlayScene;

class PlayClearance {
 public:
  // Half the edge of each object's box.
  static constexpr double kHalfSize = 0.375;

  explicit PlayClearance(const PlayClearanceApi* api);
  // Takes the occurrences out of the state monitor and lets the tree go.
  ~PlayClearance();
  PlayClearance(const PlayClearance&) = delete;
  PlayClearance& operator=(const PlayClearance&) = delete;

  // Builds the tree for the scene's movers and adds the agent that checks
  // them after every step (add it last: it reads where the movers went).
  // False, with a message, when it cannot.
  bool Watch(NUVSimPlayScene& scene);
  // One line per pair that came too close, with the first and last
  // simulated time it was seen so, or a line saying none did.
  std::string Report() const;

  // Places the occurrences where the movers stand and tests every pair.
  void Check(double simulated);

 private:
  struct Pair {
    int first, second;
    double from, to;
  };
  const PlayClearanceApi* _pApi;
  NUVPLMOccurrence* _pRoot = nullptr;         // one reference
  std::vector<NUVPLMOccurrence*> _Objects;    // borrowed from the root
  std::vector<NUVSimMovingObjectAgent*> _Movers;  // borrowed from the scene
  std::vector<double> _Boxes;                 // six limits per object
  std::vector<Pair> _Close;                   // in the order first seen
};

#endif
