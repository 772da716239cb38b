#include "NUVSimVizOccurrenceVisitor.h"

#include "NUVIPLMNavOccurrence.h"
#include "VelloranModule.h"

NUV_IMPLEMENT_CLASS(NUVSimVizOccurrenceVisitor, NUVSimAdapterTraversalVisitor,
                    VELLORAN_LIBRARY_NAME)

NUVSimVizOccurrenceVisitor::NUVSimVizOccurrenceVisitor(unsigned char iCollectTerminals,
                                                       unsigned char iCollectNonTerminals)
    : _CollectTerminals(iCollectTerminals), _CollectNonTerminals(iCollectNonTerminals) {}

NUVSimVizOccurrenceVisitor::~NUVSimVizOccurrenceVisitor() {
  _Terminals.RemoveAll();
  _NonTerminals.RemoveAll();
  _CurrentObject = nullptr;
  _PreviousObject = nullptr;
}

void NUVSimVizOccurrenceVisitor::SetOptions(unsigned char iCollectTerminals,
                                            unsigned char iCollectNonTerminals) {
  _CollectTerminals = iCollectTerminals;
  _CollectNonTerminals = iCollectNonTerminals;
}

long NUVSimVizOccurrenceVisitor::Init() {
  _Terminals.RemoveAll();
  _NonTerminals.RemoveAll();
  return S_OK;
}

long NUVSimVizOccurrenceVisitor::isValidObject(const NUVBaseUnknown_var& iObject) {
  NUVIPLMNavOccurrence_var occurrence(iObject.get());
  return occurrence ? S_OK : E_FAIL;
}

long NUVSimVizOccurrenceVisitor::PreOrder(const NUVBaseUnknown_var& iObject,
                                          NUVISimTraversalVisitor::TraversalStatus& oStatus) {
  oStatus = NUVISimTraversalVisitor::ContinueTraversal;
  if (FAILED(isValidObject(iObject))) {
    oStatus = NUVISimTraversalVisitor::SkipDescendants;
    return S_OK;
  }
  _PreviousObject = _CurrentObject;
  _CurrentObject = iObject;
  return S_OK;
}

long NUVSimVizOccurrenceVisitor::PostOrder(const NUVBaseUnknown_var& iObject,
                                           NUVISimTraversalVisitor::TraversalStatus& oStatus,
                                           unsigned char iLeafFlag) {
  oStatus = NUVISimTraversalVisitor::ContinueTraversal;
  if (FAILED(isValidObject(iObject))) return S_OK;
  // Still the current object: nothing below it was accepted.
  bool terminal = iObject.get() == _CurrentObject.get() || iLeafFlag != 0;
  if (!(terminal ? _CollectTerminals : _CollectNonTerminals)) return S_OK;
  if (terminal && LacksVisibleGeometry(iObject)) {
    _CurrentObject = _PreviousObject;
    return S_OK;
  }
  (terminal ? _Terminals : _NonTerminals).Append(iObject);
  return S_OK;
}

void NUVSimVizOccurrenceVisitor::GetTerminals(NUVListValNUVBaseUnknown_var& oList) const {
  oList = _Terminals;
}

void NUVSimVizOccurrenceVisitor::GetNonTerminals(NUVListValNUVBaseUnknown_var& oList) const {
  oList = _NonTerminals;
}

void NUVSimVizOccurrenceVisitor::GetList(NUVListValNUVBaseUnknown_var& oList) const {
  oList = _NonTerminals;
  for (int i = 1; i <= _Terminals.Size(); ++i) oList.Append(_Terminals[i]);
}
