// NUVSimMemberSet<AgentI, ControllerI>: the members of a structured agent and
// the lifecycle state they share; the engine's two structured agents are
// built on it. Not a class of its own for users: use the structured agents.
//
// A member joins the structured agent's play when it was added before the
// play's Init, or when MembersChanged(1) brings it in later; members that
// have not joined are skipped by every per-step call and join at the next
// Init. Loops over members work on a copy of the list taken when they start,
// so members may add or remove members from inside a call.
// Threading: user-interface thread only.
#ifndef NUVSimMemberSet_h
#define NUVSimMemberSet_h

#include <vector>

#include "NUVListValVar.h"
#include "NUVString.h"

template <class AgentI, class ControllerI>
class NUVSimMemberSet {
 public:
  typedef NUVVar<AgentI> AgentVar;
  typedef NUVVar<ControllerI> ControllerVar;
  typedef std::vector<AgentVar> Snapshot;

  NUVSimMemberSet() : _Initialized(0), _Active(0) {}

  bool IsInitialized() const { return _Initialized != 0; }
  bool IsActive() const { return _Active != 0; }
  int Count() const { return static_cast<int>(_Members.size()); }
  const ControllerVar& Controller() const { return _Controller; }

  long Add(AgentVar& iAgent) {
    if (!iAgent) return E_INVALIDARG;
    AgentVar agent = iAgent;
    _Members.push_back({agent, !_Initialized});
    if (!!_Controller) {
      ControllerVar controller = _Controller;
      agent->SetSimulationController(controller, 1);
    }
    return S_OK;
  }

  long Remove(AgentVar& iAgent) {
    for (size_t i = 0; i < _Members.size(); ++i) {
      if (NUVListValVar<AgentI>::Same(_Members[i].agent.get(), iAgent.get())) {
        Member removed = _Members[i];
        _Members.erase(_Members.begin() + i);
        Release(removed);
        return S_OK;
      }
    }
    return S_FALSE;
  }

  long RemoveAll() {
    std::vector<Member> removed;
    removed.swap(_Members);
    for (Member& m : removed) Release(m);
    return S_OK;
  }

  void AppendTo(NUVListValVar<AgentI>& oList) const {
    for (const Member& m : _Members) oList.Append(m.agent);
  }

  long Find(const NUVString& iName, AgentVar& oAgent) const {
    for (const Member& m : _Members) {
      NUVBaseUnknown* impl = m.agent->GetImpl();
      if (impl && impl->IsA(iName.CastToCharPtr())) {
        oAgent = m.agent;
        return S_OK;
      }
    }
    return S_FALSE;
  }

  // Members that joined, in order.
  Snapshot Joined() const {
    Snapshot s;
    s.reserve(_Members.size());
    for (const Member& m : _Members)
      if (m.joined) s.push_back(m.agent);
    return s;
  }
  // Joined members that say they are enabled.
  Snapshot Enabled() const {
    Snapshot s = Joined();
    Snapshot enabled;
    enabled.reserve(s.size());
    for (AgentVar& a : s) {
      unsigned char on = 1;
      a->GetEnabled(on);
      if (on) enabled.push_back(a);
    }
    return enabled;
  }
  Snapshot All() const {
    Snapshot s;
    s.reserve(_Members.size());
    for (const Member& m : _Members) s.push_back(m.agent);
    return s;
  }

  // Marks the play initialised: every member joins. Returns them.
  Snapshot BeginInit() {
    _Initialized = 1;
    for (Member& m : _Members) m.joined = true;
    return Joined();
  }
  void SetActive(bool active) { _Active = active ? 1 : 0; }
  // Marks the play cleaned; returns the members that took part.
  Snapshot BeginClean() {
    Snapshot s = Joined();
    _Initialized = 0;
    _Active = 0;
    for (Member& m : _Members) m.joined = true;  // all start together next time
    return s;
  }
  // Members waiting to join, now joined.
  Snapshot JoinPending() {
    Snapshot s;
    for (Member& m : _Members) {
      if (!m.joined) {
        m.joined = true;
        s.push_back(m.agent);
      }
    }
    return s;
  }

  // Stores the controller and hands it to every member.
  void SetController(ControllerVar& iController, unsigned char iAttach) {
    _Controller = iController;
    for (AgentVar& a : All()) {
      ControllerVar controller = _Controller;
      a->SetSimulationController(controller, iAttach);
    }
  }

 private:
  struct Member {
    AgentVar agent;
    bool joined;
  };

  // A member leaves: it ends its part of the play and is detached from the
  // controller, unless it is still a member through another occurrence.
  void Release(Member& m) {
    if (m.joined && _Active) m.agent->Deactivate();
    if (m.joined && _Initialized) m.agent->Clean();
    if (!_Controller) return;
    for (const Member& other : _Members)
      if (NUVListValVar<AgentI>::Same(other.agent.get(), m.agent.get())) return;
    ControllerVar none;
    m.agent->SetSimulationController(none, 0);
  }

  std::vector<Member> _Members;
  unsigned char _Initialized;
  unsigned char _Active;
  ControllerVar _Controller;
};

#endif
