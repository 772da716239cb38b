// NUVListPtrNUVError: a list of error pointers with 1-based positions. It
// neither owns nor reference-counts the errors: whoever fills it says whether
// the caller received a reference with each.
//
//   NUVListPtrNUVError reported;
//   handler->GetReportedErrors(reported);   // one reference each
//
// Threading: user-interface thread only.
#ifndef NUVListPtrNUVError_h
#define NUVListPtrNUVError_h

#include "NUVRawCollPV.h"
#include "VelloranPlatformExport.h"

class NUVError;

class VPL_EXPORT NUVListPtrNUVError : public NUVRawCollPV {
 public:
  explicit NUVListPtrNUVError(int reserve = 0) : NUVRawCollPV(reserve) {}
  NUVListPtrNUVError(const NUVListPtrNUVError& other) = default;
  NUVListPtrNUVError& operator=(const NUVListPtrNUVError& other) = default;
  virtual ~NUVListPtrNUVError() = default;

  void Append(NUVError* error) { NUVRawCollPV::Append(error); }
  void InsertAt(int position, NUVError* error) { NUVRawCollPV::InsertAt(position, error); }
  void Set(int position, NUVError* error) { NUVRawCollPV::Set(position, error); }
  NUVError* operator[](int position) const {
    return static_cast<NUVError*>(NUVRawCollPV::operator[](position));
  }
};

#endif
