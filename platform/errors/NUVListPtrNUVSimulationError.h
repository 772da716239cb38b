// NUVListPtrNUVSimulationError: a list of simulation error pointers with
// 1-based positions. It neither owns nor reference-counts the errors: whoever
// fills it says whether the caller received a reference with each.
//
//   NUVListPtrNUVSimulationError errors;
//   manager->GetErrors(errors);   // one reference each, released by the caller
//
// Threading: user-interface thread only.
#ifndef NUVListPtrNUVSimulationError_h
#define NUVListPtrNUVSimulationError_h

#include "NUVRawCollPV.h"
#include "VelloranPlatformExport.h"

class NUVSimulationError;

class VPL_EXPORT NUVListPtrNUVSimulationError : public NUVRawCollPV {
 public:
  explicit NUVListPtrNUVSimulationError(int reserve = 0) : NUVRawCollPV(reserve) {}
  NUVListPtrNUVSimulationError(const NUVListPtrNUVSimulationError& other) = default;
  NUVListPtrNUVSimulationError& operator=(const NUVListPtrNUVSimulationError& other) = default;
  virtual ~NUVListPtrNUVSimulationError() = default;

  void Append(NUVSimulationError* error) { NUVRawCollPV::Append(error); }
  void InsertAt(int position, NUVSimulationError* error) {
    NUVRawCollPV::InsertAt(position, error);
  }
  void Set(int position, NUVSimulationError* error) { NUVRawCollPV::Set(position, error); }
  NUVSimulationError* operator[](int position) const {
    return static_cast<NUVSimulationError*>(NUVRawCollPV::operator[](position));
  }
};

#endif
