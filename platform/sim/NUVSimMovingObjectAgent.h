// NUVSimMovingObjectAgent: a simple agent for host scenes. It moves an
// object along a path of way points (a position at given simulated values,
// linear in between, held before the first and after the last); created by
// name as "NUVSimMovingObjectAgent". The path is either a list of way points
// (AddWayPoint) or a regular path whose way points are computed, not stored
// (SetRegularPath), for plays of any length.
//
//   NUVSimMovingObjectAgent* mover = new NUVSimMovingObjectAgent;
//   mover->AddWayPoint(0.0, 0, 0, 0); mover->AddWayPoint(2.0, 4, 0, 0);
//
// Under a negotiated-time controller it proposes the next way point after
// the current value, so that play stops on every way point; after the last
// one it proposes nothing (-1.0). Compute moves the object to the current
// value; Commit counts the step. Each step costs constant time however long
// the path: the search for the current segment starts from the last one
// found. The host reads GetPosition after each step to place its object.
// Type 2 (computing), priority 1, sub-priority 100, loop status 1, compute
// status 0 (see NUVSimBasicAgent).
// Threading: user-interface thread only.
#ifndef NUVSimMovingObjectAgent_h
#define NUVSimMovingObjectAgent_h

#include <vector>

#include "NUVSimBasicAgent.h"

class VPL_EXPORT NUVSimMovingObjectAgent : public NUVSimBasicAgent {
  NUV_DECLARE_CLASS
 public:
  NUVSimMovingObjectAgent();
  ~NUVSimMovingObjectAgent() override;

  // Adds a way point, or moves the one already at that value. Appending in
  // ascending order costs constant time.
  void AddWayPoint(const NUVSimValue& iAt, double iX, double iY, double iZ);
  // Replaces the path with way points every `iSpacing` (> 0) from 0 to
  // `iEnd`, and one at `iEnd`: way point k is at (k dx, y + (k odd ? dy : 0),
  // k dz), a zigzag. Nothing is stored per way point.
  void SetRegularPath(const NUVSimValue& iSpacing, const NUVSimValue& iEnd, double dx, double y,
                      double dy, double dz);
  int CountWayPoints() const;
  void GetPosition(double& oX, double& oY, double& oZ) const;
  // Makes Compute cost time on the host's clock (NUVHostClock::Spend),
  // growing with every step: the first step after Init spends
  // `firstMicroseconds`, each later one `growth` times the one before, up to
  // 0.2 s a step. Stands for a scene whose computation gets heavier as play
  // goes on. A first cost of 0 (the default): free.
  void SetComputeCost(double firstMicroseconds, double growth) {
    _FirstCost = firstMicroseconds;
    _CostGrowth = growth;
  }
  long Compute() override;
  long GetNextProposedValue(NUVSimValue& oValue) override;

 private:
  struct WayPoint {
    NUVSimValue at;
    double x, y, z;
  };
  // What the step after `steps` committed steps costs, in seconds.
  double StepCost(int steps) const;
  WayPoint RegularPoint(long long k) const;
  // The way point just after `at`; false after the last one.
  bool NextWayPoint(const NUVSimValue& at, WayPoint& oNext);
  void MoveTo(const NUVSimValue& at);

  std::vector<WayPoint> _Path;  // ascending by value
  size_t _Cursor = 0;           // where the last search ended
  NUVSimValue _Spacing;         // > 0: the regular path is used
  NUVSimValue _End;
  double _Dx = 0, _Y0 = 0, _Dy = 0, _Dz = 0;
  double _X = 0, _Y = 0, _Z = 0;
  double _FirstCost = 0;
  double _CostGrowth = 1;
};

#endif
