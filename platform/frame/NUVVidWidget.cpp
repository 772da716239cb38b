#include "NUVVidWidget.h"

#include "NUVSYPEvent.h"
#include "NUVSYPEventHandler.h"

NUV_IMPLEMENT_CLASS(NUVVidWidget, NUVBaseUnknown, "VelloranPlatform")

NUVVidWidget::NUVVidWidget() : _NextSerial(0) {}

NUVVidWidget::~NUVVidWidget() {
  std::vector<Entry> handlers;
  handlers.swap(_Handlers);
  for (Entry& e : handlers) e.handler->Release();
}

long NUVVidWidget::AddHandler(NUVSYPEvent* event, NUVSYPEventHandler* handler, int) {
  if (!event || !handler) return E_INVALIDARG;
  handler->AddRef();
  _Handlers.push_back({event, handler, ++_NextSerial});
  return S_OK;
}

long NUVVidWidget::RemoveHandler(NUVSYPEvent* event, NUVSYPEventHandler* handler) {
  for (auto it = _Handlers.begin(); it != _Handlers.end(); ++it) {
    if (it->event == event && it->handler == handler) {
      _Handlers.erase(it);
      handler->Release();
      return S_OK;
    }
  }
  return E_FAIL;
}

int NUVVidWidget::FindSerial(long serial) const {
  for (const Entry& e : _Handlers) {
    if (e.serial == serial) return 1;
  }
  return 0;
}

void NUVVidWidget::FireEvent(NUVSYPEvent* event, NUVBaseUnknown* args) {
  if (!event) return;
  // A handler may remove handlers or release this widget.
  AddRef();
  std::vector<Entry> snapshot;
  for (const Entry& e : _Handlers) {
    if (e.event != event) continue;
    e.handler->AddRef();
    snapshot.push_back(e);
  }
  for (const Entry& e : snapshot) {
    if (FindSerial(e.serial)) e.handler->Invoke(this, args);
  }
  for (const Entry& e : snapshot) e.handler->Release();
  Release();
}

int NUVVidWidget::CountHandlers(NUVSYPEvent* event) const {
  int n = 0;
  for (const Entry& e : _Handlers) {
    if (!event || e.event == event) ++n;
  }
  return n;
}
