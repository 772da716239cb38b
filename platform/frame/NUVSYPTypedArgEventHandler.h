// NUVSYPTypedArgEventHandler<TArgs>: an event handler that accepts only
// arguments of class TArgs. Arguments of another class fail the "pArgs"
// check and the call does nothing.
//
//   class MyHandler : public NUVSYPTypedArgEventHandler<NUVSYPEventArgs> {
//     void InvokeTyped(NUVBaseUnknown* sender, NUVSYPEventArgs* args) override; };
//
// Threading: user-interface thread only.
#ifndef NUVSYPTypedArgEventHandler_h
#define NUVSYPTypedArgEventHandler_h

#include "NUVSYPCheckReport.h"
#include "NUVSYPEventHandler.h"

template <class TArgs>
class NUVSYPTypedArgEventHandler : public NUVSYPEventHandler {
 public:
  void Invoke(NUVBaseUnknown* sender, NUVBaseUnknown* args) override {
    TArgs* pArgs = dynamic_cast<TArgs*>(args);
    if (!pArgs) {
      Check_Pointer_Failed__("pArgs");
      return;
    }
    InvokeTyped(sender, pArgs);
  }

 protected:
  virtual void InvokeTyped(NUVBaseUnknown* sender, TArgs* args) = 0;
};

#endif
