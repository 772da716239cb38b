#include "NUVPathElement.h"

NUV_IMPLEMENT_CLASS(NUVPathElement, NUVBaseUnknown, "VelloranPlatform")

NUVPathElement::NUVPathElement(NUVBaseUnknown* iObject) : _Cursor(0) {
  if (iObject) _Elements.emplace_back(iObject);
}

NUVPathElement::NUVPathElement(const NUVPathElement& other)
    : NUVBaseUnknown(other), _Elements(other._Elements), _Cursor(0) {}

NUVPathElement& NUVPathElement::operator=(const NUVPathElement& other) {
  if (this != &other) _Elements = other._Elements;
  _Cursor = 0;
  return *this;
}

NUVPathElement::~NUVPathElement() = default;

NUVPathElement* NUVPathElement::Clone() const { return NUVNew<NUVPathElement>(*this); }

NUVBaseUnknown* NUVPathElement::GetElement(int position) const {
  return position >= 1 && position <= GetSize() ? _Elements[position - 1].get() : nullptr;
}

void NUVPathElement::InitToTopElement() { _Cursor = 0; }

NUVBaseUnknown* NUVPathElement::NextChildElement() {
  if (_Cursor >= GetSize()) return nullptr;
  return _Elements[_Cursor++].get();
}

void NUVPathElement::InitToLeafElement() { _Cursor = GetSize(); }

NUVBaseUnknown* NUVPathElement::NextFatherElement() {
  if (_Cursor <= 0) return nullptr;
  return _Elements[--_Cursor].get();
}

int NUVPathElement::FindElement(NUVBaseUnknown* iObject) const {
  if (!iObject) return 0;
  NUVBaseUnknown* impl = iObject->GetImpl();
  for (const NUVBaseUnknown_var& e : _Elements) {
    if (e.get() == iObject || e->GetImpl() == impl) return 1;
  }
  return 0;
}

void NUVPathElement::AddChildElement(NUVBaseUnknown* iObject, int iAboveLeaf) {
  _Cursor = 0;
  if (!iObject) return;
  int below = iAboveLeaf < 0 ? 0 : (iAboveLeaf > GetSize() ? GetSize() : iAboveLeaf);
  _Elements.insert(_Elements.end() - below, NUVBaseUnknown_var(iObject));
}
