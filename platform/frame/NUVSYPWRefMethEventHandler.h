// NUVSYPWRefMethEventHandler<TObj, TArgs>: a member-function event handler
// that reaches its object through a weak reference. It never keeps the
// object alive: once the object is gone the handler does nothing, so it can
// stay on a widget that outlives the object and needs no removal.
//
//   NUVSYPWRefMethEventHandler<Me>::AddTo(control, NUVVidCtlViewerBase::GraphicWindowSwapEvt(),
//                                         this, &Me::OnSwap);
//
// Checks: AddTo refuses a null widget ("i_pSupport"), event ("i_pEvent"),
// object ("i_pObj") or member function ("i_pMemberFunc != NULL"). The
// constructor refuses a null member function and an object that is not its
// own implementation (a TIE or extension cannot be weakly referenced). A
// refused handler is not added, or does nothing when invoked.
//
// Threading: user-interface thread only.
#ifndef NUVSYPWRefMethEventHandler_h
#define NUVSYPWRefMethEventHandler_h

#include "NUVBaseUnknown_WR.h"
#include "NUVSYPAbstractMethEventHandler.h"
#include "NUVSYPCheckReport.h"
#include "NUVSYPEvent.h"
#include "NUVVidWidget.h"

template <class TObj, class TArgs = NUVSYPEventArgs>
class NUVSYPWRefMethEventHandler : public NUVSYPAbstractMethEventHandler<TObj, TArgs> {
  typedef NUVSYPAbstractMethEventHandler<TObj, TArgs> Base;

 public:
  typedef typename Base::MemberFunc MemberFunc;

  NUVSYPWRefMethEventHandler(TObj* i_pObj, MemberFunc i_pMemberFunc)
      : Base(i_pMemberFunc), _Bound(0) {
    if (!i_pObj) {
      Check_Pointer_Failed__("i_pObj");
      return;
    }
    if (!(i_pObj->GetImpl() == i_pObj)) {
      Check_TRUE_Failed__("i_pObj->GetImpl() == i_pObj",
                          "i_pObj may be an extension; referencing an extension with a "
                          "weak-ref is not possible.");
      return;
    }
    _Target = NUVBaseUnknown_WR(i_pObj);
    _Bound = 1;
  }

  int IsValid() const override { return _Bound && Base::IsValid(); }

  // Builds a handler on (i_pObj, i_pMemberFunc), adds it to the widget for
  // the event and gives up the caller's reference to it: the widget then
  // holds the only one. Returns the result of AddHandler, or E_FAIL when a
  // check failed and nothing was added.
  static long AddTo(NUVVidWidget* i_pSupport, NUVSYPEvent* i_pEvent, TObj* i_pObj,
                    MemberFunc i_pMemberFunc) {
    if (!i_pSupport) {
      Check_Pointer_Failed__("i_pSupport");
      return E_FAIL;
    }
    if (!i_pEvent) {
      Check_Pointer_Failed__("i_pEvent");
      return E_FAIL;
    }
    if (!i_pObj) {
      Check_Pointer_Failed__("i_pObj");
      return E_FAIL;
    }
    if (!(i_pMemberFunc != nullptr)) {
      Check_TRUE_Failed__("i_pMemberFunc != NULL");
      return E_FAIL;
    }
    NUVSYPWRefMethEventHandler* handler = new NUVSYPWRefMethEventHandler(i_pObj, i_pMemberFunc);
    long rc = E_FAIL;
    if (handler->IsValid()) rc = i_pSupport->AddHandler(i_pEvent, handler, 0);
    handler->Release();
    return rc;
  }

 protected:
  NUVBaseUnknown_var ResolveTarget() override { return _Target.Get(); }

 private:
  NUVBaseUnknown_WR _Target;
  unsigned char _Bound;
};

#endif
