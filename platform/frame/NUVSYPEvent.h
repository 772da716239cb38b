// NUVSYPEvent: the identity of an event raised by a widget (NUVVidWidget);
// handlers are added per event. Events are built once and live for the
// process; they are compared by address.
//
//   NUVSYPEvent* swap = NUVVidCtlViewerBase::GraphicWindowSwapEvt();
//   control->AddHandler(swap, handler, 0);
//
// Threading: user-interface thread only.
#ifndef NUVSYPEvent_h
#define NUVSYPEvent_h

#include <string>

#include "NUVBaseUnknown.h"

class VPL_EXPORT NUVSYPEvent : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  explicit NUVSYPEvent(const char* name);
  ~NUVSYPEvent() override;
  NUVSYPEvent(const NUVSYPEvent&) = delete;
  NUVSYPEvent& operator=(const NUVSYPEvent&) = delete;

  const char* GetName() const { return _Name.c_str(); }

 private:
  std::string _Name;
};

#endif
