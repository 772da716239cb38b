// NUVSimPlayScene: the scene a host plays, built in one place for the host
// (velloran-play), the end-to-end tests and the benchmarks. A structured
// agent (created by name, as the application does) holds the members in the
// order they are added (typically the redraw agent first, then observers,
// then moving objects); a key-frame or a negotiated-time controller plays it.
//
//   NUVSimPlayScene scene(NUVSimPlayScene::NegociatedTime);
//   scene.AddMember(redrawAgent);
//   scene.AddMovers(3, 10.0);
//   scene.Start(10.0, 0.05);
//   while (scene.Playing()) app.RunOneTurn(50);   // or scene.Iterate()
//
// The scene holds its members and its controller; its destructor detaches
// the controller from its agents (they hold one another) and releases all.
//
// Played through a master observation coordinator (UseMasterObservation,
// before anything is added), the scene plays the coordinator's main agent of
// its controller's kind instead of a structured agent of its own, registers
// its members with the coordinator (AddMember: simulation only;
// AddInteractiveMember: interactive too), and its controller dispatches the
// coordinator's notifications. The destructor unregisters them again.
// Threading: user-interface thread only.
#ifndef NUVSimPlayScene_h
#define NUVSimPlayScene_h

#include <vector>

#include "NUVISimMasterObservation.h"
#include "NUVSimValue.h"

class NUVBaseUnknown;
class NUVSimKeyFrameController;
class NUVSimMovingObjectAgent;
class NUVSimNegociatedTimeController;

class VPL_EXPORT NUVSimPlayScene {
 public:
  enum Controller { KeyFrame, NegociatedTime };

  explicit NUVSimPlayScene(Controller controller);
  ~NUVSimPlayScene();
  NUVSimPlayScene(const NUVSimPlayScene&) = delete;
  NUVSimPlayScene& operator=(const NUVSimPlayScene&) = delete;

  // Plays through `coordinator` (held until destruction). E_INVALIDARG for
  // null, E_UNEXPECTED once members were added or play started, E_FAIL when
  // the coordinator has no main agent of the controller's kind.
  long UseMasterObservation(NUVISimMasterObservation* coordinator);
  // Adds an agent that answers the controller's agent interface (both agent
  // interfaces with a coordinator); E_NOINTERFACE when it does not,
  // E_UNEXPECTED when the structured agent is missing. With a coordinator,
  // the result of its AddAgent.
  long AddMember(NUVBaseUnknown* agent);
  // With a coordinator: registers the agent as interactive, so that it also
  // takes part in interactive observation. E_UNEXPECTED without one.
  long AddInteractiveMember(NUVBaseUnknown* agent);
  // Adds `count` objects moving on zigzag paths with a way point every 0.25
  // over [0, end] (under negotiated time, play stops on each), each step of
  // each costing what NUVSimMovingObjectAgent::SetComputeCost says.
  void AddMovers(int count, double end, double firstCostMicroseconds = 0, double growth = 1);
  // The movers added so far, in order (borrowed; the scene holds them), so
  // that a host can place the objects they move.
  int CountMovers() const { return static_cast<int>(_Movers.size()); }
  NUVSimMovingObjectAgent* GetMover(int index) const;

  // Attaches the controller: key frames from 0 to `end` every `step`, or
  // negotiated time over [0, end] with `step` as the default step and
  // `iterationsPerRun` steps per run. The result of the controller's setters.
  long Start(double end, double step, int iterationsPerRun = 1);
  // The controller can continue (false before Start).
  bool Playing() const;
  long Iterate();
  long Stop();
  int StepsPlayed() const;
  NUVSimValue Current() const;

 private:
  long Register(NUVBaseUnknown* agent, unsigned char simulationOnly);
  void AttachNotifications(NUVISimMasterObservation* coordinator);

  Controller _Controller;
  NUVBaseUnknown* _pStructured = nullptr;  // one reference
  NUVISimMasterObservation_var _Coordinator;
  std::vector<NUVISimAgentKeyFrame_var> _Registered;  // with the coordinator
  NUVSimKeyFrameController* _pKeyFrame = nullptr;
  NUVSimNegociatedTimeController* _pNegociatedTime = nullptr;
  std::vector<NUVSimMovingObjectAgent*> _Movers;  // one reference each
};

#endif
