#include "NUVSimVizOrderedOccVisitor.h"

#include "NUVIPLMNavOccurrence.h"
#include "VelloranModule.h"

NUV_IMPLEMENT_CLASS(NUVSimVizOrderedOccVisitor, NUVSimAdapterTraversalVisitor,
                    VELLORAN_LIBRARY_NAME)

NUVSimVizOrderedOccVisitor::NUVSimVizOrderedOccVisitor(unsigned char iCollectTerminals,
                                                       unsigned char iCollectNonTerminals)
    : _CollectTerminals(iCollectTerminals), _CollectNonTerminals(iCollectNonTerminals) {}

NUVSimVizOrderedOccVisitor::~NUVSimVizOrderedOccVisitor() {
  _PreOrder.RemoveAll();
  _Terminals.RemoveAll();
  _NonTerminals.RemoveAll();
  _CurrentObject = nullptr;
  _PreviousObject = nullptr;
}

void NUVSimVizOrderedOccVisitor::SetOptions(unsigned char iCollectTerminals,
                                            unsigned char iCollectNonTerminals) {
  _CollectTerminals = iCollectTerminals;
  _CollectNonTerminals = iCollectNonTerminals;
}

long NUVSimVizOrderedOccVisitor::Init() {
  _PreOrder.RemoveAll();
  _Terminals.RemoveAll();
  _NonTerminals.RemoveAll();
  return S_OK;
}

long NUVSimVizOrderedOccVisitor::PreOrder(const NUVBaseUnknown_var& iObject,
                                          NUVISimTraversalVisitor::TraversalStatus& oStatus) {
  oStatus = NUVISimTraversalVisitor::ContinueTraversal;
  NUVIPLMNavOccurrence_var occurrence(iObject.get());
  if (!occurrence) {
    oStatus = NUVISimTraversalVisitor::SkipDescendants;
    return S_OK;
  }
  _PreviousObject = _CurrentObject;
  _CurrentObject = iObject;
  _PreOrder.Append(NUVBaseUnknown_var(occurrence.get()));
  return S_OK;
}

long NUVSimVizOrderedOccVisitor::PostOrder(const NUVBaseUnknown_var& iObject,
                                           NUVISimTraversalVisitor::TraversalStatus& oStatus,
                                           unsigned char iLeafFlag) {
  oStatus = NUVISimTraversalVisitor::ContinueTraversal;
  NUVIPLMNavOccurrence_var occurrence(iObject.get());
  if (!occurrence) return S_OK;
  bool terminal = iObject.get() == _CurrentObject.get() || iLeafFlag != 0;
  if (!(terminal ? _CollectTerminals : _CollectNonTerminals)) return S_OK;
  if (terminal && LacksVisibleGeometry(iObject)) {
    _CurrentObject = _PreviousObject;
    return S_OK;
  }
  (terminal ? _Terminals : _NonTerminals).Append(NUVBaseUnknown_var(occurrence.get()));
  return S_OK;
}

void NUVSimVizOrderedOccVisitor::GetTerminals(NUVListValNUVBaseUnknown_var& oList) const {
  oList = _Terminals;
}

void NUVSimVizOrderedOccVisitor::GetNonTerminals(NUVListValNUVBaseUnknown_var& oList) const {
  oList = _NonTerminals;
}

void NUVSimVizOrderedOccVisitor::GetList(NUVListValNUVBaseUnknown_var& oList) const {
  oList = _PreOrder;
}
