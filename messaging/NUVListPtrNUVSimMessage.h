// NUVListPtrNUVSimMessage: a list of message pointers with 1-based positions.
// It neither owns nor reference-counts the messages.
//
//   NUVListPtrNUVSimMessage list;
//   list.Append(message);
//   NUVSimMessage* oldest = list[1];
//
// Threading: user-interface thread only.
#ifndef NUVListPtrNUVSimMessage_h
#define NUVListPtrNUVSimMessage_h

#include "NUVRawCollPV.h"
#include "VelloranExport.h"

class NUVSimMessage;

class VELLORAN_EXPORT NUVListPtrNUVSimMessage : public NUVRawCollPV {
 public:
  explicit NUVListPtrNUVSimMessage(int reserve = 0) : NUVRawCollPV(reserve) {}
  NUVListPtrNUVSimMessage(const NUVListPtrNUVSimMessage& other) = default;
  NUVListPtrNUVSimMessage& operator=(const NUVListPtrNUVSimMessage& other) {
    if (this != &other) NUVRawCollPV::operator=(other);
    return *this;
  }
  virtual ~NUVListPtrNUVSimMessage() = default;

  void Append(NUVSimMessage* message) { NUVRawCollPV::Append(message); }
  NUVSimMessage* operator[](int position) const {
    return static_cast<NUVSimMessage*>(NUVRawCollPV::operator[](position));
  }
};

#endif
