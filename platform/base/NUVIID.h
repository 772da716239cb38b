// NUVIID: identifies an interface by its name.
//
//   NUVInstantiateComponent("NUVSimErrorManager", IID_NUVISimErrorManager, &out);
//
// Interfaces give their identifier through their static ClassId(); the macro
// IID_<Interface> names it the way call sites expect.
#ifndef NUVIID_h
#define NUVIID_h

#include <cstring>

struct NUVIID {
  const char* name;
  bool operator==(const NUVIID& other) const {
    return name == other.name || (name && other.name && std::strcmp(name, other.name) == 0);
  }
  bool operator!=(const NUVIID& other) const { return !(*this == other); }
};

#endif
