// NUVVidWidget: a visual component that raises events (NUVSYPEvent) to the
// handlers (NUVSYPEventHandler) added for them. The widget holds a reference
// on each handler until it is removed or the widget is destroyed.
//
//   widget->AddHandler(NUVVidCtlViewerBase::GraphicWindowSwapEvt(), handler, 0);
//   widget->FireEvent(NUVVidCtlViewerBase::GraphicWindowSwapEvt(), args);
//
// Threading: user-interface thread only.
#ifndef NUVVidWidget_h
#define NUVVidWidget_h

#include <vector>

#include "NUVBaseUnknown.h"

class NUVSYPEvent;
class NUVSYPEventHandler;

class VPL_EXPORT NUVVidWidget : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUVVidWidget();
  ~NUVVidWidget() override;
  NUVVidWidget(const NUVVidWidget&) = delete;
  NUVVidWidget& operator=(const NUVVidWidget&) = delete;

  // Adds the handler for the event and takes a reference on it. `flags` is
  // kept for the callers' sake. S_OK, or E_INVALIDARG for a null argument.
  long AddHandler(NUVSYPEvent* event, NUVSYPEventHandler* handler, int flags);
  // Removes the first registration of (event, handler). E_FAIL when absent.
  long RemoveHandler(NUVSYPEvent* event, NUVSYPEventHandler* handler);
  // Calls the handlers of `event` in the order they were added, with this
  // widget as sender. Handlers added meanwhile wait for the next event;
  // handlers removed meanwhile are not called.
  void FireEvent(NUVSYPEvent* event, NUVBaseUnknown* args);
  // Handlers of `event` (null: of every event).
  int CountHandlers(NUVSYPEvent* event = nullptr) const;

 private:
  struct Entry {
    NUVSYPEvent* event;
    NUVSYPEventHandler* handler;  // one reference
    long serial;                  // tells a removed-and-added-again entry apart
  };
  int FindSerial(long serial) const;

  std::vector<Entry> _Handlers;
  long _NextSerial;
};

#endif
