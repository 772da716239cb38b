#include "RWMWDMSortImpl.h"

NUV_IMPLEMENT_CLASS(RWMWDMSortImpl, NUVISimSyncAgentSupport, "VelloranPlatform")

RWMWDMSortImpl::RWMWDMSortImpl() : _LastId(0) {}
RWMWDMSortImpl::~RWMWDMSortImpl() = default;

long RWMWDMSortImpl::CreateClashGroup(NUVListValNUVBaseUnknown_var& iEntities, int& oGroupId) {
  _Groups.push_back({++_LastId, iEntities});
  oGroupId = _LastId;
  return S_OK;
}

long RWMWDMSortImpl::DeleteClashGroup(int iGroupId) {
  for (size_t i = 0; i < _Groups.size(); ++i) {
    if (_Groups[i].id == iGroupId) {
      // Moved out first: releasing an entity may run arbitrary code.
      Group gone = _Groups[i];
      _Groups.erase(_Groups.begin() + i);
      return S_OK;
    }
  }
  return S_FALSE;
}

long RWMWDMSortImpl::GetClashGroup(int iGroupId, NUVListValNUVBaseUnknown_var& oEntities) const {
  for (const Group& g : _Groups) {
    if (g.id == iGroupId) {
      oEntities = g.entities;
      return S_OK;
    }
  }
  return S_FALSE;
}
