// NUVSimVizOccurrenceVisitor: sorts the occurrences a walk meets into
// terminals (leaves, kept only when they carry visible geometry) and
// non-terminals (the nodes in between), each collected when its option is
// on.
//
//   NUVSimVizOccurrenceVisitor* visitor = new NUVSimVizOccurrenceVisitor(1, 0);
//   ... the traverser calls it ...
//   visitor->GetTerminals(leaves); visitor->Release();
//
// Classification happens in PostOrder: a node is a terminal when the leaf
// flag says so, or when it is still the last occurrence accepted in
// PreOrder (none below it was kept). A terminal is rejected when its
// representation's bounding sphere has none of its three lowest status bits
// set or a radius of exactly 0 (NaN counts as non-zero); a rejection sets
// the last accepted occurrence back by one step only, so that a parent whose
// children were all rejected leaves is tested as a terminal itself. Objects
// without NUVI3DGeoVisu, or without a representation, are accepted.
//
// Threading: user-interface thread only.
#ifndef NUVSimVizOccurrenceVisitor_h
#define NUVSimVizOccurrenceVisitor_h

#include "NUVListValNUVBaseUnknown_var.h"
#include "NUVSimAdapterTraversalVisitor.h"

class VELLORAN_EXPORT NUVSimVizOccurrenceVisitor : public NUVSimAdapterTraversalVisitor {
  NUV_DECLARE_CLASS
 public:
  NUVSimVizOccurrenceVisitor(unsigned char iCollectTerminals = 1,
                             unsigned char iCollectNonTerminals = 0);
  ~NUVSimVizOccurrenceVisitor() override;

  void SetOptions(unsigned char iCollectTerminals, unsigned char iCollectNonTerminals);

  // Empties both result lists; the current and previous objects stay.
  long Init() override;
  long PreOrder(const NUVBaseUnknown_var& iObject,
                NUVISimTraversalVisitor::TraversalStatus& oStatus) override;
  long PostOrder(const NUVBaseUnknown_var& iObject,
                 NUVISimTraversalVisitor::TraversalStatus& oStatus,
                 unsigned char iLeafFlag) override;

  // Replace oList's content with a copy of the list.
  void GetTerminals(NUVListValNUVBaseUnknown_var& oList) const;
  void GetNonTerminals(NUVListValNUVBaseUnknown_var& oList) const;
  // Empties oList, then appends the non-terminals, then the terminals.
  void GetList(NUVListValNUVBaseUnknown_var& oList) const;

 protected:
  // S_OK when the object answers NUVIPLMNavOccurrence, else E_FAIL.
  virtual long isValidObject(const NUVBaseUnknown_var& iObject);

 private:
  // The services take the results over when the walk is done.
  friend class NUVSimVizServices;

  NUVBaseUnknown_var _CurrentObject;   // last accepted in PreOrder
  NUVBaseUnknown_var _PreviousObject;  // the current object before it
  NUVListValNUVBaseUnknown_var _Terminals;
  NUVListValNUVBaseUnknown_var _NonTerminals;
  unsigned char _CollectTerminals;
  unsigned char _CollectNonTerminals;
};

#endif
