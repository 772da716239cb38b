// NUVListPtrNUVSimMessage: a list of message pointers with 1-based positions.
// It neither owns nor reference-counts the messages; its operations are those
// of NUVSimListPtr.
//
//   NUVListPtrNUVSimMessage list;
//   list.Append(message);
//   NUVSimMessage* oldest = list[1];
//
// Threading: user-interface thread only.
#ifndef NUVListPtrNUVSimMessage_h
#define NUVListPtrNUVSimMessage_h

#include "NUVSimListPtr.h"
#include "VelloranExport.h"

class NUVSimMessage;

class VELLORAN_EXPORT NUVListPtrNUVSimMessage
    : public NUVSimListPtr<NUVSimMessage, NUVListPtrNUVSimMessage> {
 public:
  using NUVSimListPtr::NUVSimListPtr;
  NUVListPtrNUVSimMessage(const NUVListPtrNUVSimMessage& other) = default;
  NUVListPtrNUVSimMessage& operator=(const NUVListPtrNUVSimMessage& other) = default;
  ~NUVListPtrNUVSimMessage() override = default;
};

#endif
