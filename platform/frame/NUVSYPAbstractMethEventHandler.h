// NUVSYPAbstractMethEventHandler<TObj, TArgs>: an event handler that calls a
// member function of a TObj with the sender and the typed arguments. How the
// object is found is left to the subclass (ResolveTarget); the object is
// held with a reference for the duration of the call. A handler built with a
// null member function fails the "_pMemberFunc != NULL" check and never
// calls anything; a resolved object that is not a TObj fails "pObj".
//
//   typedef NUVSYPAbstractMethEventHandler<Me, NUVSYPEventArgs> Base;
//   NUVBaseUnknown_var ResolveTarget() override { return _Target; }
//
// Threading: user-interface thread only.
#ifndef NUVSYPAbstractMethEventHandler_h
#define NUVSYPAbstractMethEventHandler_h

#include "NUVBaseUnknown_var.h"
#include "NUVSYPCheckReport.h"
#include "NUVSYPEventArgs.h"
#include "NUVSYPTypedArgEventHandler.h"

template <class TObj, class TArgs = NUVSYPEventArgs>
class NUVSYPAbstractMethEventHandler : public NUVSYPTypedArgEventHandler<TArgs> {
 public:
  typedef void (TObj::*MemberFunc)(NUVBaseUnknown* sender, TArgs* args);

  // False when construction failed a check: the handler then does nothing.
  virtual int IsValid() const { return _pMemberFunc != nullptr; }

 protected:
  explicit NUVSYPAbstractMethEventHandler(MemberFunc memberFunc) : _pMemberFunc(memberFunc) {
    if (!(_pMemberFunc != nullptr)) Check_TRUE_Failed__("_pMemberFunc != NULL");
  }

  // The object to call, with a reference; null when there is none any more.
  virtual NUVBaseUnknown_var ResolveTarget() = 0;

  void InvokeTyped(NUVBaseUnknown* sender, TArgs* args) override {
    if (!IsValid()) return;
    NUVBaseUnknown_var target = ResolveTarget();  // held until the call returns
    if (!target) return;
    TObj* pObj = dynamic_cast<TObj*>(target.get());
    if (!pObj) {
      Check_Pointer_Failed__("pObj");
      return;
    }
    (pObj->*_pMemberFunc)(sender, args);
  }

 private:
  MemberFunc _pMemberFunc;
};

#endif
