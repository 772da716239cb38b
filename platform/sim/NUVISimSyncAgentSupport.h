// NUVISimSyncAgentSupport: the component that keeps the clash groups shared
// by the agents of a context (groups of entities tested against each other).
//
//   int group = 0;
//   support->CreateClashGroup(entities, group);  ...  support->DeleteClashGroup(group);
//
// Threading: user-interface thread only.
#ifndef NUVISimSyncAgentSupport_h
#define NUVISimSyncAgentSupport_h

#include "NUVListValNUVBaseUnknown_var.h"
#include "NUVSimHandles.h"

class VPL_EXPORT NUVISimSyncAgentSupport : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Creates a group of the listed entities and writes its identifier.
  virtual long CreateClashGroup(NUVListValNUVBaseUnknown_var& iEntities, int& oGroupId) = 0;
  virtual long DeleteClashGroup(int iGroupId) = 0;
};

#define IID_NUVISimSyncAgentSupport (NUVISimSyncAgentSupport::ClassId())
typedef NUVVar<NUVISimSyncAgentSupport> NUVISimSyncAgentSupport_var;

#endif
