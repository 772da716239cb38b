// NUVSYPEventHandler: what a widget (NUVVidWidget) calls when one of its
// events fires. The widget holds a reference on each handler it was given.
// Concrete handlers come from the templates NUVSYPTypedArgEventHandler,
// NUVSYPAbstractMethEventHandler and NUVSYPWRefMethEventHandler.
//
//   widget->AddHandler(event, handler, 0);   // the widget keeps a reference
//   handler->Release();                      // the caller's own one
//
// Threading: user-interface thread only.
#ifndef NUVSYPEventHandler_h
#define NUVSYPEventHandler_h

#include "NUVBaseUnknown.h"

class VPL_EXPORT NUVSYPEventHandler : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUVSYPEventHandler();
  ~NUVSYPEventHandler() override;
  NUVSYPEventHandler(const NUVSYPEventHandler&) = delete;
  NUVSYPEventHandler& operator=(const NUVSYPEventHandler&) = delete;

  // `sender` is the widget that raised the event; `args` its arguments.
  virtual void Invoke(NUVBaseUnknown* sender, NUVBaseUnknown* args) = 0;
};

#endif
