// NUVSimMessage: base of the deferred messages that simulation play posts to
// the process-wide queue (NUVSimMessageQueue) and that the event loop runs,
// one per turn.
//
//   message->Post();      // idle -> posted; queued, the loop is woken once
//   // ... later, from the loop: message->Execute(false);  posted -> idle
//
// A message is idle from construction and after Execute, posted from Post
// until Execute. The base Post does not test whether the message is posted
// already (subclasses do); Execute only marks the message idle, subclasses do
// their work and then call it. The flush argument of Execute is true when the
// queue is being emptied: a subclass then starts no further work.
//
// Threading: user-interface thread only.
#ifndef NUVSimMessage_h
#define NUVSimMessage_h

#include "NUVBaseUnknown.h"
#include "VelloranExport.h"

class VELLORAN_EXPORT NUVSimMessage : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUVSimMessage();
  NUVSimMessage(const NUVSimMessage& source);
  ~NUVSimMessage() override;

  virtual void Post();
  virtual void Execute(unsigned char flush);

  unsigned char IsPosted() const { return _Idle ? 0 : 1; }

  // Messages are never created through the component dictionary.
  static NUVBaseUnknown* CreateItself() { return nullptr; }

 private:
  unsigned char _Idle;
};

#endif
