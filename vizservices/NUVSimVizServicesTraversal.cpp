// NUVSimVizServices, traversal: the occurrences below a root, sorted by the
// library's visitors during a walk of the platform's traverser.
#include <utility>

#include "NUVDictionary.h"
#include "NUVIPLMNavOccurrence.h"
#include "NUVISimTraverser.h"
#include "NUVSimVizOccurrenceVisitor.h"
#include "NUVSimVizOrderedOccVisitor.h"
#include "NUVSimVizServices.h"

namespace {

// The traverser by its component name; null when it cannot be made. Its
// creation result is not needed: a null handle says it all.
NUVISimTraverser_var MakeTraverser() {
  NUVISimTraverser* raw = nullptr;
  NUVInstantiateComponent("NUVSimOccurrenceTraverser", IID_NUVISimTraverser,
                          reinterpret_cast<void**>(&raw));
  NUVISimTraverser_var traverser(raw);
  if (raw) raw->Release();
  return traverser;
}

// Gives the visitor to the traverser and walks from the root; the results
// of both calls are not needed (the visitor holds what was found).
void Walk(NUVISimTraverser_var& traverser, NUVBaseUnknown* visitor, NUVBaseUnknown_var& root) {
  NUVListValNUVBaseUnknown_var visitors;
  visitors.Append(NUVBaseUnknown_var(visitor));
  traverser->SetVisitors(visitors);
  int status = 0;
  traverser->Traverse(root, status);
}

}  // namespace

long NUVSimVizServices::GetAllVizOccurrenceDescendants(
    NUVBaseUnknown_var& iRoot, NUVListValNUVBaseUnknown_var& oNonTerminals,
    NUVListValNUVBaseUnknown_var& oTerminals, unsigned char iCollectTerminals,
    unsigned char iCollectNonTerminals) {
  if (!NUVIPLMNavOccurrence_var(iRoot.get())) return E_FAIL;
  NUVISimTraverser_var traverser = MakeTraverser();
  if (!traverser) return S_OK;
  auto* visitor = NUVNew<NUVSimVizOccurrenceVisitor>(iCollectTerminals, iCollectNonTerminals);
  if (!visitor) return S_OK;
  Walk(traverser, visitor, iRoot);
  // The visitor goes away now: its lists are moved out, not copied.
  oNonTerminals = std::move(visitor->_NonTerminals);
  oTerminals = std::move(visitor->_Terminals);
  visitor->Release();
  return S_OK;
}

long NUVSimVizServices::GetAllVizOccurrenceDescendants(NUVBaseUnknown_var& iRoot,
                                                       NUVListValNUVBaseUnknown_var& ioList,
                                                       unsigned char iCollectTerminals,
                                                       unsigned char iCollectNonTerminals) {
  if (!NUVIPLMNavOccurrence_var(iRoot.get())) return E_FAIL;
  NUVListValNUVBaseUnknown_var nonTerminals, terminals;
  GetAllVizOccurrenceDescendants(iRoot, nonTerminals, terminals, iCollectTerminals,
                                 iCollectNonTerminals);
  for (int i = 1; i <= nonTerminals.Size(); ++i) ioList.Append(nonTerminals[i]);
  for (int i = 1; i <= terminals.Size(); ++i) ioList.Append(terminals[i]);
  return S_OK;
}

long NUVSimVizServices::GetOrderedVizOccDescendants(
    NUVBaseUnknown_var& iRoot, NUVListValNUVBaseUnknown_var& oAll,
    NUVListValNUVBaseUnknown_var& oNonTerminals, NUVListValNUVBaseUnknown_var& oTerminals,
    unsigned char iCollectTerminals, unsigned char iCollectNonTerminals) {
  if (!NUVIPLMNavOccurrence_var(iRoot.get())) return E_FAIL;
  NUVISimTraverser_var traverser = MakeTraverser();
  if (!traverser) return S_OK;
  auto* visitor = NUVNew<NUVSimVizOrderedOccVisitor>(iCollectTerminals, iCollectNonTerminals);
  if (!visitor) return S_OK;
  Walk(traverser, visitor, iRoot);
  oAll = std::move(visitor->_PreOrder);
  oNonTerminals = std::move(visitor->_NonTerminals);
  oTerminals = std::move(visitor->_Terminals);
  visitor->Release();
  return S_OK;
}
