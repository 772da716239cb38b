#include "NUVISO.h"

#include <algorithm>

NUV_IMPLEMENT_CLASS(NUVISO, NUVBaseUnknown, "VelloranPlatform")

NUVISO::NUVISO() : _AddCount(0), _RemoveCount(0) {}

NUVISO::~NUVISO() { Empty(); }

void NUVISO::AddElement(NUVBaseUnknown* element) {
  ++_AddCount;
  if (!element || Contains(element)) return;
  element->AddRef();
  _Elements.push_back(element);
}

void NUVISO::RemoveElement(NUVBaseUnknown* element, int) {
  ++_RemoveCount;
  auto it = std::find(_Elements.begin(), _Elements.end(), element);
  if (it == _Elements.end()) return;
  _Elements.erase(it);
  // Released after the set is consistent: the release may destroy an object
  // whose destruction comes back here.
  element->Release();
}

void NUVISO::Empty() {
  std::vector<NUVBaseUnknown*> elements;
  elements.swap(_Elements);
  for (NUVBaseUnknown* e : elements) e->Release();
}

int NUVISO::Contains(NUVBaseUnknown* element) const {
  return element && std::find(_Elements.begin(), _Elements.end(), element) != _Elements.end();
}
