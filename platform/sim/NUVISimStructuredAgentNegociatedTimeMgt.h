// NUVISimStructuredAgentNegociatedTimeMgt: the member management of a
// structured negotiated-time agent, an agent that drives member agents as
// one.
//
//   NUVISimStructuredAgentNegociatedTimeMgt_var mgt(structured);
//   if (!!mgt) { mgt->AddMember(agent); mgt->MembersChanged(1); }
//
// A member is found by name when the class name of its implementation object
// is that name. MembersChanged(1) brings members added during a play into it
// at once; with 0 they join at the next play.
// Threading: user-interface thread only.
#ifndef NUVISimStructuredAgentNegociatedTimeMgt_h
#define NUVISimStructuredAgentNegociatedTimeMgt_h

#include "NUVListValNUVISimAgentNegociatedTime_var.h"
#include "NUVString.h"

class VPL_EXPORT NUVISimStructuredAgentNegociatedTimeMgt : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // E_INVALIDARG for a null handle. The same agent may be added twice.
  virtual long AddMember(NUVISimAgentNegociatedTime_var& iAgent) = 0;
  // Removes the first occurrence; S_FALSE when the agent is not a member.
  virtual long RemoveMember(NUVISimAgentNegociatedTime_var& iAgent) = 0;
  virtual long RemoveAllMembers() = 0;
  // Appends every member to `oMembers`, in the order they were added.
  virtual long GetMembers(NUVListValNUVISimAgentNegociatedTime_var& oMembers) = 0;
  // Fills `oAgent` with the first member of that name; leaves it as it was
  // and returns S_FALSE when there is none.
  virtual long GetMember(const NUVString& iName, NUVISimAgentNegociatedTime_var& oAgent) = 0;
  virtual long MembersChanged(unsigned char iRefresh) = 0;
};

#define IID_NUVISimStructuredAgentNegociatedTimeMgt (NUVISimStructuredAgentNegociatedTimeMgt::ClassId())
typedef NUVVar<NUVISimStructuredAgentNegociatedTimeMgt> NUVISimStructuredAgentNegociatedTimeMgt_var;

#endif
