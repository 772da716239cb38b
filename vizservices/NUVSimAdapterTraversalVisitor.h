// NUVSimAdapterTraversalVisitor: the base of the library's traversal
// visitors. It answers NUVISimTraversalVisitor (a TIE registered at load for
// it and for each visitor class) with hooks that do nothing: PreOrder and
// PostOrder set the status to 0 and Init returns S_OK. Visitors derive from
// it and override what they need.
//
//   class Counter : public NUVSimAdapterTraversalVisitor { ... PreOrder(...) override; };
//   visitors.Append(counter);   // the traverser queries NUVISimTraversalVisitor on it
//
// Threading: user-interface thread only.
#ifndef NUVSimAdapterTraversalVisitor_h
#define NUVSimAdapterTraversalVisitor_h

#include "NUVISimTraversalVisitor.h"
#include "VelloranExport.h"

class VELLORAN_EXPORT NUVSimAdapterTraversalVisitor : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  ~NUVSimAdapterTraversalVisitor() override;
  NUVSimAdapterTraversalVisitor(const NUVSimAdapterTraversalVisitor&) = delete;
  NUVSimAdapterTraversalVisitor& operator=(const NUVSimAdapterTraversalVisitor&) = delete;

  virtual long PreOrder(const NUVBaseUnknown_var& iObject,
                        NUVISimTraversalVisitor::TraversalStatus& oStatus);
  virtual long PostOrder(const NUVBaseUnknown_var& iObject,
                         NUVISimTraversalVisitor::TraversalStatus& oStatus,
                         unsigned char iLeafFlag);
  virtual long Init();

  // The dictionary cannot create visitors by name: they are built with
  // their constructors.
  static NUVBaseUnknown* CreateItself() { return nullptr; }

 protected:
  NUVSimAdapterTraversalVisitor();

  // The geometry test of the collecting visitors: non-zero when the object
  // has a representation whose bounding sphere has none of its three lowest
  // status bits set, or a radius of exactly 0. An object without
  // NUVI3DGeoVisu or without a representation passes.
  static int LacksVisibleGeometry(const NUVBaseUnknown_var& iObject);
};

#endif
