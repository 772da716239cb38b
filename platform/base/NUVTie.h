// NUVTie<Interface, Impl>: the interface object that exposes an
// implementation class through an interface it does not derive from.
//
// A TIE shares its implementation's reference count: AddRef and Release go to
// the implementation, and the implementation destroys its TIEs when it is
// destroyed. NUVTieFindOrCreate builds the TIE once per object and finds it
// again afterwards, which is what registered TIE creation functions do:
//
//   NUVBaseUnknown* CreateTIENUVISimAgentKeyFrameNUVSimAgentRedraw3D(NUVBaseUnknown* impl) {
//     return NUVTieFindOrCreate<TIENUVISimAgentKeyFrameNUVSimAgentRedraw3D>(impl);
//   }
//
// A concrete TIE derives from NUVTie and forwards each interface operation to
// Impl(). Threading: user-interface thread only.
#ifndef NUVTie_h
#define NUVTie_h

#include "NUVBaseUnknown.h"

template <class Interface, class Implementation>
class NUVTie : public Interface {
 public:
  typedef Implementation ImplementationType;
  static const NUVIID& InterfaceId() { return Interface::ClassId(); }

  explicit NUVTie(Implementation* impl) : _pImpl(impl) {}

  unsigned long AddRef() override { return _pImpl->AddRef(); }
  unsigned long Release() override { return _pImpl->Release(); }
  long QueryInterface(const NUVIID& iid, void** out) override {
    return _pImpl->QueryInterface(iid, out);
  }
  NUVBaseUnknown* GetImpl(int = 0) override { return _pImpl; }

  Implementation* Impl() const { return _pImpl; }

 private:
  Implementation* _pImpl;
};

// Finds the TIE of the TIE class's interface on `impl`, or builds and adopts
// it. Returns it with one reference for the caller, or null when `impl` is not
// an object of the implementation class.
template <class TieClass>
NUVBaseUnknown* NUVTieFindOrCreate(NUVBaseUnknown* impl) {
  if (!impl) return nullptr;
  impl = impl->GetImpl();
  const NUVIID& iid = TieClass::InterfaceId();
  NUVBaseUnknown* tie = impl->FindTie(iid);
  if (!tie) {
    auto* typed = dynamic_cast<typename TieClass::ImplementationType*>(impl);
    if (!typed) return nullptr;
    tie = NUVNew<TieClass>(typed);
    if (!tie) return nullptr;
    impl->AdoptTie(iid, tie);
  }
  tie->AddRef();
  return tie;
}

#endif
