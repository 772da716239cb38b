// NUVICreateInstance: the creation interface of a creation extension. The
// collaboration framework builds messengers through it: it instantiates the
// extension "<MessengerClass>_CreateExt" by name, queries this interface and
// asks it for a new object.
//
//   NUVICreateInstance_var factory(extension);
//   void* messenger = nullptr;
//   if (!!factory && factory->CreateInstance(&messenger) >= 0 && messenger) ...
//
// Threading: user-interface thread only.
#ifndef NUVICreateInstance_h
#define NUVICreateInstance_h

#include "NUVBaseUnknown_var.h"

class VPL_EXPORT NUVICreateInstance : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Stores a new object (an NUVBaseUnknown* with one reference for the
  // caller) or null in *oObject.
  virtual long CreateInstance(void** oObject) = 0;
};

#define IID_NUVICreateInstance (NUVICreateInstance::ClassId())
typedef NUVVar<NUVICreateInstance> NUVICreateInstance_var;

#endif
