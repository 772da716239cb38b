#include "NUVMetaClass.h"

#include <cstring>

NUVMetaClass::NUVMetaClass(const char* className, const NUVMetaClass* parent,
                           const char* extendedName, const char* libraryName, Kind kind)
    : _ClassName(className),
      _pParent(parent),
      _ExtendedName(extendedName ? extendedName : "NUVNull"),
      _LibraryName(libraryName ? libraryName : ""),
      _Kind(kind) {}

int NUVMetaClass::IsAKindOf(const NUVMetaClass* other) const {
  if (!other) return 0;
  for (const NUVMetaClass* m = this; m; m = m->_pParent) {
    if (m == other) return 1;
  }
  return 0;
}

int NUVMetaClass::IsAKindOf(const char* className) const {
  if (!className) return 0;
  for (const NUVMetaClass* m = this; m; m = m->_pParent) {
    if (std::strcmp(m->_ClassName, className) == 0) return 1;
  }
  return 0;
}

int NUVMetaClass::IsA(const char* className) const {
  return className && std::strcmp(_ClassName, className) == 0;
}
