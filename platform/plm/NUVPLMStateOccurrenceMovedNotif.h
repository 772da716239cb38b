// NUVPLMStateOccurrenceMovedNotif: the notification of the PLM state monitor
// that says an occurrence of the product has moved (dragged by the user,
// placed by a command). Its class name is the event name it travels under:
//
//   AddCallback(me, dispatcher, NUVPLMStateOccurrenceMovedNotif::ClassName(),
//               NUVSubscriberMethodCast(&Me::OnMoved), nullptr);
//
// Reference counted; the dispatcher creates one per move and releases it
// once every subscriber has been called.
// Threading: user-interface thread only.
#ifndef NUVPLMStateOccurrenceMovedNotif_h
#define NUVPLMStateOccurrenceMovedNotif_h

#include "NUVBaseUnknown_var.h"
#include "NUVNotification.h"

class VPL_EXPORT NUVPLMStateOccurrenceMovedNotif : public NUVNotification {
  NUV_DECLARE_CLASS
 public:
  // Holds a reference on the occurrence (null allowed).
  explicit NUVPLMStateOccurrenceMovedNotif(NUVBaseUnknown* iOccurrence);
  ~NUVPLMStateOccurrenceMovedNotif() override;

  NUVBaseUnknown* GetOccurrence() const { return _Occurrence.get(); }

 private:
  NUVBaseUnknown_var _Occurrence;
};

#endif
