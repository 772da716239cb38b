// Fakes for the observation coordinator's tests. FakeObservedAgent answers
// both agent interfaces, NUVISimAgentObserver and NUVISimContextForClash
// through TIEs, each of which a test may withhold; its class name is chosen
// per instance (lookups by name and exclusion by kind read it). Every call
// the coordinator makes goes to a SimCallLog as "<tag>:<operation>".
// SpyStructuredAgent* are the platform's structured agents with their
// MembersChanged calls logged under "KF" and "NT"; a test registers them
// under the structured agents' creation names with SpyStructuredAgents.
#ifndef ObservationFakes_h
#define ObservationFakes_h

#include <functional>
#include <memory>
#include <set>
#include <string>

#include "NUVListValNUVBaseUnknown_var.h"
#include "NUVSimProbesStructuredAgentKeyFrame.h"
#include "NUVSimProbesStructuredAgentNegociatedTime.h"
#include "SimCountingAgents.h"

class FakeObservedAgent : public NUVBaseUnknown {
 public:
  FakeObservedAgent(SimCallLog* log, std::string tag, const char* className = "FakeObservedAgent");
  ~FakeObservedAgent() override;
  static int liveCount;

  const NUVMetaClass* GetMetaObject() const override;
  int IsA(const char* name) const override { return GetMetaObject()->IsA(name); }
  int IsAKindOf(const char* name) const override { return GetMetaObject()->IsAKindOf(name); }
  long QueryInterface(const NUVIID& iid, void** out) override;

  long Init() { return S_OK; }
  long Clean() { return S_OK; }
  long Activate() { return S_OK; }
  long Deactivate() { return S_OK; }
  long SetCurrentSimValue(const NUVSimValue&) { return S_OK; }
  long Compute() { Note("Compute"); if (onCompute) onCompute(); return S_OK; }
  long Commit() { return Note("Commit"); }
  long GetLoopStatus(SimLoopStatus& s) { s = SimLoopContinue; return S_OK; }
  long GetPriority(SimAgentPriority& p) { p = SimAgentPriorityNormal; return S_OK; }
  long SetPriority(SimAgentPriority) { return S_OK; }
  long GetSubPriority(unsigned int& p) { p = 0; return S_OK; }
  long GetType(SimAgentType& t) { return Answer(t); }
  long SetType(SimAgentType) { return S_OK; }
  template <class C> long SetSimulationController(C&, unsigned char) { return S_OK; }
  template <class C> long GetSimulationController(C& c) { c = nullptr; return S_OK; }
  long GetEnabled(unsigned char& e) { if (answersEnabled) e = enabled; return S_OK; }
  long SetEnabled(unsigned char e) { enabled = e; return S_OK; }
  long SetCurrentMode(int) { return S_OK; }
  long GetModeParams(int, unsigned char&, NUVSimValue&, NUVSimValue&, NUVSimValue&, NUVSimValue&,
                     unsigned char&, unsigned char&) { return S_OK; }
  long DispatchModeParams(int, const NUVSimValue&, const NUVSimValue&, const NUVSimValue&,
                          const NUVSimValue&, unsigned char, unsigned char) { return S_OK; }
  long GetKFType(SimAgentType& t) { return Answer(t); }
  long ReInitData(const SimReInitParameter&) { return S_OK; }
  long GetComputeStatus(SimComputeStatus& s) { s = static_cast<SimComputeStatus>(0); return S_OK; }
  long GetNextProposedValue(NUVSimValue&) { return S_OK; }
  long Reset() { return S_OK; }
  long ComputeNextIteration(unsigned int) { return S_OK; }
  long GetNTType(SimAgentType& t) { return Answer(t); }

  long SetObservationContext(NUVBaseUnknown_var& c) {
    return Note(std::string("Context ") + (c ? "set" : "null"));
  }
  long GetObservationContext(NUVBaseUnknown_var& c) { c = nullptr; return S_OK; }
  long SetObservationSwitch(unsigned char on) { return Note("Switch " + std::to_string(on)); }
  long AddObservedEntity(NUVBaseUnknown_var&) { return Note("AddEntity"); }
  long RemoveObservedEntity(NUVBaseUnknown_var&) { return Note("RemoveEntity"); }
  long IsObservationNeeded(unsigned char& n) { if (answersNeeded) n = needed; return S_OK; }
  long EndObservation() { return Note("End"); }
  long SetSyncAgentSupport(NUVISimSyncAgentSupport_var& s) {
    return Note(std::string("Sync ") + (s ? "set" : "null"));
  }
  long SetClashDirty() { return Note("Dirty"); }
  long SetClashDirty(NUVListValNUVBaseUnknown_var&, unsigned char f) {
    return Note("Dirty " + std::to_string(f));
  }

  SimCallLog* log;
  std::string tag;
  std::set<std::string> withheld;  // interface names QueryInterface refuses
  int type = 2;                    // what the type queries answer
  bool answersType = true;
  unsigned char enabled = 1, needed = 0;
  bool answersEnabled = true, answersNeeded = true;
  std::function<void()> onCompute;

 private:
  long Note(const std::string& what) { log->Add(tag, what); return S_OK; }
  long Answer(SimAgentType& t) { if (answersType) t = static_cast<SimAgentType>(type); return S_OK; }
  std::string _ClassName;
  std::unique_ptr<NUVMetaClass> _pMeta;  // null: the shared meta class
};

template <class Base, class MgtI, class AgentVar, class List>
class SpyStructuredAgent : public Base {
  struct Tie : NUVTie<MgtI, SpyStructuredAgent> {
    using NUVTie<MgtI, SpyStructuredAgent>::NUVTie;
    long AddMember(AgentVar& a) override { return this->Impl()->AddMember(a); }
    long RemoveMember(AgentVar& a) override { return this->Impl()->RemoveMember(a); }
    long RemoveAllMembers() override { return this->Impl()->RemoveAllMembers(); }
    long GetMembers(List& l) override { return this->Impl()->GetMembers(l); }
    long GetMember(const NUVString& n, AgentVar& a) override { return this->Impl()->GetMember(n, a); }
    long MembersChanged(unsigned char r) override {
      this->Impl()->log->Add(this->Impl()->tag, "MembersChanged " + std::to_string(r));
      return this->Impl()->MembersChanged(r);
    }
  };

 public:
  SpyStructuredAgent(SimCallLog* l, const char* t) : log(l), tag(t) {}
  long QueryInterface(const NUVIID& iid, void** out) override {
    if (out && iid == MgtI::ClassId()) {
      *out = NUVTieFindOrCreate<Tie>(this);
      return *out ? S_OK : E_OUTOFMEMORY;
    }
    return Base::QueryInterface(iid, out);
  }
  SimCallLog* log;
  const char* tag;
};

// Registers the spies under the structured agents' creation names for its
// lifetime; they log to `log`.
class SpyStructuredAgents {
 public:
  explicit SpyStructuredAgents(SimCallLog* log);
  ~SpyStructuredAgents();
  static SimCallLog* log;
};

#endif
