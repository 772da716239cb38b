// NUVECoMessengerForSimEngine: the simulation's messenger in a collaborative
// review. Leading, it listens for the co-review notifications the simulation
// raises on the main application and sends each one's simulated value to the
// other participants as three integers (high half of the whole part, low
// half, fine part). Following, it decodes such messages and posts an
// immediate NUVSimCoReviewNotification with the value to the master
// observation coordinator of the default context. It records whether this
// instance leads or follows, which NUVSimVizServices reports.
//
// Only the collaboration framework creates it, through the creation
// extension "NUVECoMessengerForSimEngine_CreateExt":
//
//   session.AddMessenger("NUVECoMessengerForSimEngine");
//
// Reference counted. Threading: user-interface thread only.
#ifndef NUVECoMessengerForSimEngine_h
#define NUVECoMessengerForSimEngine_h

#include "NUVSimValue.h"
#include "NUVcoMessengerAdapter.h"
#include "VelloranExport.h"

class NUVNotification;

class VELLORAN_EXPORT NUVECoMessengerForSimEngine : public NUVcoMessengerAdapter {
  NUV_DECLARE_CLASS
 public:
  NUVECoMessengerForSimEngine();
  ~NUVECoMessengerForSimEngine() override;

  NUVUnicodeString GetMessengerName() override;
  unsigned char AcceptsBroadcast() override;
  long Synchronize() override;
  // Subscribes to the co-review notifications of the main application; each
  // call adds one subscription. S_OK.
  long StartListening() override;
  // Drops every such subscription. S_OK.
  long StopListening() override;
  // Setting a channel to any state clears the other channel's role; the
  // incoming channel open makes this instance a follower, the outgoing one a
  // leader.
  long SetInChanelState(ChanelState iState) override;
  long SetOutChanelState(ChanelState iState) override;

  // The incoming side. E_INVALIDARG for a length below 1 (the streamer is
  // not touched), E_FAIL without a streamer, the streamer's own result when
  // it refuses the buffer; S_OK otherwise, with or without a coordinator.
  long ReceiveMessage(const char* iBuffer, int iLength, NUVICollabUser* iFrom);
  // The outgoing side; fails silently. Each half of the whole part is
  // narrowed to its low 16 bits, so only whole parts whose halves fit in
  // 16 bits (0 to 65535 in particular) arrive unchanged.
  void SendCoReviewValue(const NUVSimValue& iValue);

  void OnCoReviewNotification(const char* iEvent, void* iPublisher, NUVNotification* iNotification,
                              void* iClientData, int iCallbackId);
  void OnCoReviewEnd(const char* iEvent, void* iPublisher, NUVNotification* iNotification,
                     void* iClientData, int iCallbackId);

  // The most recently constructed messenger still alive, or null.
  static NUVECoMessengerForSimEngine* GetLiveMessenger();
  unsigned char IsLeader() const { return _Leader; }
  unsigned char IsFollower() const { return _Follower; }

 private:
  unsigned char _Leader;
  unsigned char _Follower;
};

#endif
