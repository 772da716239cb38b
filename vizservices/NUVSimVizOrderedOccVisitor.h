// NUVSimVizOrderedOccVisitor: the terminals and non-terminals of
// NUVSimVizOccurrenceVisitor (same classification and geometry test), plus
// every occurrence met in pre-order, rejected ones included. Its lists hold
// the objects' NUVIPLMNavOccurrence handles.
//
//   NUVSimVizOrderedOccVisitor* visitor = new NUVSimVizOrderedOccVisitor(1, 1);
//   ... the traverser calls it ...
//   visitor->GetList(all); visitor->Release();
//
// Threading: user-interface thread only.
#ifndef NUVSimVizOrderedOccVisitor_h
#define NUVSimVizOrderedOccVisitor_h

#include "NUVListValNUVBaseUnknown_var.h"
#include "NUVSimAdapterTraversalVisitor.h"

class VELLORAN_EXPORT NUVSimVizOrderedOccVisitor : public NUVSimAdapterTraversalVisitor {
  NUV_DECLARE_CLASS
 public:
  NUVSimVizOrderedOccVisitor(unsigned char iCollectTerminals = 1,
                             unsigned char iCollectNonTerminals = 0);
  ~NUVSimVizOrderedOccVisitor() override;

  void SetOptions(unsigned char iCollectTerminals, unsigned char iCollectNonTerminals);

  // Empties the three lists; the current and previous objects stay.
  long Init() override;
  long PreOrder(const NUVBaseUnknown_var& iObject,
                NUVISimTraversalVisitor::TraversalStatus& oStatus) override;
  long PostOrder(const NUVBaseUnknown_var& iObject,
                 NUVISimTraversalVisitor::TraversalStatus& oStatus,
                 unsigned char iLeafFlag) override;

  // Replace oList's content with a copy of the list.
  void GetTerminals(NUVListValNUVBaseUnknown_var& oList) const;
  void GetNonTerminals(NUVListValNUVBaseUnknown_var& oList) const;
  // Empties oList, then appends the pre-order list.
  void GetList(NUVListValNUVBaseUnknown_var& oList) const;

 private:
  // The services take the results over when the walk is done.
  friend class NUVSimVizServices;

  NUVBaseUnknown_var _CurrentObject;
  NUVBaseUnknown_var _PreviousObject;
  NUVListValNUVBaseUnknown_var _PreOrder;
  NUVListValNUVBaseUnknown_var _Terminals;
  NUVListValNUVBaseUnknown_var _NonTerminals;
  unsigned char _CollectTerminals;
  unsigned char _CollectNonTerminals;
};

#endif
