// NUVISimContextForClash: the clash side of an agent: it receives the
// context's clash synchronisation component and is told when clash results
// are out of date.
//
//   NUVISimContextForClash_var clash(agent);
//   if (!!clash) clash->SetSyncAgentSupport(support);
//
// Threading: user-interface thread only.
#ifndef NUVISimContextForClash_h
#define NUVISimContextForClash_h

#include "NUVISimSyncAgentSupport.h"

class VPL_EXPORT NUVISimContextForClash : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // The synchronisation component, or a null handle when it is taken away.
  virtual long SetSyncAgentSupport(NUVISimSyncAgentSupport_var& iSupport) = 0;
  // Every clash result is out of date.
  virtual long SetClashDirty() = 0;
  // The results involving `iEntities` are out of date; the flag's meaning is
  // the agent's.
  virtual long SetClashDirty(NUVListValNUVBaseUnknown_var& iEntities, unsigned char iFlag) = 0;
};

#define IID_NUVISimContextForClash (NUVISimContextForClash::ClassId())
typedef NUVVar<NUVISimContextForClash> NUVISimContextForClash_var;

#endif
