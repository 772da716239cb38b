// NUVSYPEventArgs: the arguments that travel with a widget event to its
// handlers. Events with more to say derive from it.
//
//   NUVSYPEventArgs* args = new NUVSYPEventArgs(NUVVidCtlViewerBase::GraphicWindowSwapEvt());
//   widget->FireEvent(args); args->Release();
//
// Threading: user-interface thread only.
#ifndef NUVSYPEventArgs_h
#define NUVSYPEventArgs_h

#include "NUVBaseUnknown.h"

class NUVSYPEvent;

class VPL_EXPORT NUVSYPEventArgs : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  explicit NUVSYPEventArgs(NUVSYPEvent* event = nullptr);
  ~NUVSYPEventArgs() override;
  NUVSYPEventArgs(const NUVSYPEventArgs&) = delete;
  NUVSYPEventArgs& operator=(const NUVSYPEventArgs&) = delete;

  // The event these arguments were raised with; events live for the process.
  NUVSYPEvent* GetEvent() const { return _pEvent; }

 private:
  NUVSYPEvent* _pEvent;
};

#endif
