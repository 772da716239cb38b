// RWMWDMSortImpl: the engine's clash synchronisation component, created by
// name as "RWMWDMSortImpl". It keeps the clash groups of a context: each
// group is a list of entities under an identifier, numbered from 1 and never
// reused by the same component.
//
//   int group = 0;
//   support->CreateClashGroup(entities, group);   // group == 1
//
// Threading: user-interface thread only.
#ifndef RWMWDMSortImpl_h
#define RWMWDMSortImpl_h

#include <vector>

#include "NUVISimSyncAgentSupport.h"

class VPL_EXPORT RWMWDMSortImpl : public NUVISimSyncAgentSupport {
  NUV_DECLARE_CLASS
 public:
  RWMWDMSortImpl();
  ~RWMWDMSortImpl() override;

  // Keeps a copy of the list (the entities' references included).
  long CreateClashGroup(NUVListValNUVBaseUnknown_var& iEntities, int& oGroupId) override;
  // S_FALSE for an identifier that names no group.
  long DeleteClashGroup(int iGroupId) override;

  int CountClashGroups() const { return static_cast<int>(_Groups.size()); }
  // Copies the group's entities into `oEntities`; S_FALSE when there is no
  // such group.
  long GetClashGroup(int iGroupId, NUVListValNUVBaseUnknown_var& oEntities) const;

 private:
  struct Group {
    int id;
    NUVListValNUVBaseUnknown_var entities;
  };
  std::vector<Group> _Groups;
  int _LastId;
};

#endif
