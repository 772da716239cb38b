#include "PlayClearance.h"

#include <cstdio>

#include "NUV3DBagRep.h"
#include "NUV3DBoxRep.h"
#include "NUVGetPLMStateMonitor.h"
#include "NUVPLMOccurrence.h"
#include "NUVPLMStateMonitor.h"
#include "NUVSimBasicAgent.h"
#include "NUVSimMovingObjectAgent.h"
#include "NUVSimPlayScene.h"

namespace {

// An observer of low priority: after every step's commit it has the
// clearance placed and checked. It proposes nothing and never stops play.
class ClearanceAgent : public NUVSimBasicAgent {
 public:
  explicit ClearanceAgent(PlayClearance* owner)
      : NUVSimBasicAgent(SimAgentTypeObserve, SimAgentPriorityLow), _pOwner(owner) {}
  long Commit() override {
    NUVSimBasicAgent::Commit();
    _pOwner->Check(GetCurrent().GetValue());
    return S_OK;
  }

 private:
  PlayClearance* _pOwner;  // outlives the scene that holds this agent
};

std::string NameOf(int index) { return "Mover." + std::to_string(index + 1); }

}  // namespace

PlayClearance::PlayClearance(const PlayClearanceApi* api) : _pApi(api) {}

PlayClearance::~PlayClearance() {
  NUVIPLMStateMonitor_var monitor;
  NUVGetPLMStateMonitor::GetPLMStateMonitor(monitor);
  if (!!monitor)
    for (NUVPLMOccurrence* o : _Objects) monitor->RemovePlacement(o);
  if (_pRoot) _pRoot->Release();
}

bool PlayClearance::Watch(NUVSimPlayScene& scene) {
  NUVPLMStateMonitor* monitor = NUVGetPLMStateMonitor::CreatePLMStateMonitor();
  if (!_pApi || !monitor || _pRoot) {
    std::fprintf(stderr, "velloran-play: the clearance check cannot start\n");
    return false;
  }
  _pRoot = new NUVPLMOccurrence("Scene");
  for (int i = 0; i < scene.CountMovers(); ++i) {
    // Each object is a cube in its own coordinates, shown by a bag holding
    // a box; the monitor places it where its mover goes.
    NUVPLMOccurrence* object = new NUVPLMOccurrence(NameOf(i));
    NUV3DBagRep* rep = new NUV3DBagRep;
    NUV3DBoxRep* box = new NUV3DBoxRep(NUVMathPoint(-kHalfSize, -kHalfSize, -kHalfSize),
                                       NUVMathPoint(kHalfSize, kHalfSize, kHalfSize));
    rep->AddChild(box);
    box->Release();
    rep->ComputeBoundingElement();
    object->SetRep(rep);
    rep->Release();
    _pRoot->AddChild(object);
    object->Release();
    double limits[6];
    if (!_pApi->measure(object, limits)) {
      std::fprintf(stderr, "velloran-play: %s shows no geometry to check\n", NameOf(i).c_str());
      return false;
    }
    _Objects.push_back(object);
    _Movers.push_back(scene.GetMover(i));
    _Boxes.insert(_Boxes.end(), limits, limits + 6);
  }
  ClearanceAgent* agent = new ClearanceAgent(this);
  const long added = scene.AddMember(agent);
  agent->Release();
  if (added != S_OK) {
    std::fprintf(stderr, "velloran-play: the scene refused the clearance check\n");
    return false;
  }
  return true;
}

void PlayClearance::Check(double simulated) {
  NUVPLMStateMonitor* monitor = NUVGetPLMStateMonitor::CreatePLMStateMonitor();
  if (!monitor) return;
  for (size_t i = 0; i < _Objects.size(); ++i) {
    double x = 0, y = 0, z = 0;
    _Movers[i]->GetPosition(x, y, z);
    monitor->SetPlacement(_Objects[i], NUVMathTransformation::Translation(NUVMathVector(x, y, z)));
  }
  const int n = static_cast<int>(_Objects.size());
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      if (!_pApi->overlap(_Objects[i], &_Boxes[6 * i], _Objects[j], &_Boxes[6 * j])) continue;
      Pair* seen = nullptr;
      for (Pair& p : _Close)
        if (p.first == i && p.second == j) seen = &p;
      if (seen)
        seen->to = simulated;
      else
        _Close.push_back({i, j, simulated, simulated});
    }
  }
}

std::string PlayClearance::Report() const {
  if (_Close.empty()) return "  clearance        no two moving objects came closer than their boxes allow\n";
  std::string text;
  char line[200];
  for (const Pair& p : _Close) {
    std::snprintf(line, sizeof line,
                  "  clearance        %s and %s closer than their boxes allow from t=%.3f to t=%.3f\n",
                  NameOf(p.first).c_str(), NameOf(p.second).c_str(), p.from, p.to);
    text += line;
  }
  return text;
}
